#include "SideFile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>

namespace core {

namespace {

// Tries at a free name before giving up.
constexpr int kMaxNameTries = 100;

QString sideName(const QString &name, const QString &suffix, qint64 limit)
{
    const QString tag =
        QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    QString kept = name;
    auto whole = [&] { return QLatin1Char('.') + kept + tag + suffix; };
    while (!kept.isEmpty() && QFile::encodeName(whole()).size() > limit) {
        kept.chop(1);
        // Never half a character.
        if (!kept.isEmpty() && kept.back().isHighSurrogate())
            kept.chop(1);
    }
    return whole();
}

} // namespace

std::unique_ptr<WriteHandle> createSideFile(FileOperations &files, const QString &folder,
                                            const FileLocation &target, const QString &suffix,
                                            NewFileAccess access, FileLocation &created, int &error)
{
    const qint64 limit = files.maxNameBytes(folder);
    error = EEXIST;
    for (int attempt = 0; attempt < kMaxNameTries && error == EEXIST; ++attempt) {
        const FileLocation candidate{folder, sideName(target.name, suffix, limit)};
        if (auto file = files.create(candidate, access, target, error)) {
            created = candidate;
            return file;
        }
    }
    return nullptr;
}

} // namespace core
