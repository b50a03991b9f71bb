// A pipe, a device or a folder named where an image is expected: on the editor's command
// line, or to any tarvos-cli command. Each is refused with its reason at once; none is waited
// for, as opening a pipe for reading waits for a writer unless told not to.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>

namespace {

// Far longer than the programs take to start, even under the sanitizers; a program waiting
// for a pipe's other end never ends.
constexpr int kAnswerMilliseconds = 20000;

struct NamedPath {
    const char *name;
    // Makes the path in `folder` under `name`, where it makes one; the path.
    std::function<QString(const QDir &folder, const QString &name)> make;
    const char16_t *editorSays;
    const char16_t *cliSays;
};

void PrintTo(const NamedPath &c, std::ostream *out)
{
    *out << c.name;
}

QString pipeIn(const QDir &folder, const QString &name)
{
    const QString pipe = folder.filePath(name);
    return ::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0 ? pipe : QString();
}

QString linkToADeviceIn(const QDir &folder, const QString &name)
{
    const QString link = folder.filePath(name);
    return QFile::link(QStringLiteral("/dev/null"), link) ? link : QString();
}

QString theDevice(const QDir &, const QString &)
{
    return QStringLiteral("/dev/null");
}

QString folderIn(const QDir &folder, const QString &name)
{
    return folder.mkdir(name) ? folder.filePath(name) : QString();
}

const NamedPath kPaths[] = {
    {"Pipe", pipeIn, u"不是普通文件", u"not a regular file"},
    {"LinkToADevice", linkToADeviceIn, u"不是普通文件", u"not a regular file"},
    {"Device", theDevice, u"不是普通文件", u"not a regular file"},
    {"Folder", folderIn, u"这是文件夹", u"not a file"},
};

struct Answer {
    bool ended = false;
    int status = -1;
    QString out;
    QString err;
};

Answer run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    Answer answer;
    answer.ended = process.waitForFinished(kAnswerMilliseconds);
    if (!answer.ended)
        process.kill();
    answer.status = process.exitCode();
    answer.out = QString::fromUtf8(process.readAllStandardOutput());
    answer.err = QString::fromUtf8(process.readAllStandardError());
    return answer;
}

class NamedPaths : public ::testing::TestWithParam<NamedPath> {
protected:
    void SetUp() override
    {
        path = GetParam().make(QDir(dir.path()), QStringLiteral("a path.nes"));
        ASSERT_FALSE(path.isEmpty());
    }
    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_P(NamedPaths, TheEditorSaysWhatItIsAtOnce)
{
    const Answer answer = run(QStringLiteral(TARVOS_OPEN_PATH_PROBE), {path});
    ASSERT_TRUE(answer.ended) << "the window waited on " << path.toStdString();
    EXPECT_EQ(answer.status, 0) << answer.err.toStdString();
    EXPECT_TRUE(answer.out.contains(QDir::toNativeSeparators(path)) &&
                answer.out.contains(QString::fromUtf16(GetParam().editorSays)))
        << answer.out.toStdString();
}

TEST_P(NamedPaths, EveryCommandSaysWhatItIsAtOnce)
{
    const QString image = dir.filePath(QStringLiteral("a.nes"));
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(300000, '\0'));
    file.close();
    const QString out = dir.filePath(QStringLiteral("out"));
    const QString cliSays = QString::fromUtf16(GetParam().cliSays);
    std::vector<std::pair<QStringList, QString>> commands{
        {{QStringLiteral("info"), path}, cliSays},
        {{QStringLiteral("export"), path, QStringLiteral("1"), out + QStringLiteral(".csv")},
         cliSays},
        {{QStringLiteral("diff"), path, image}, cliSays},
        {{QStringLiteral("patch"), image, path, out + QStringLiteral(".bps")}, cliSays},
        {{QStringLiteral("apply"), path, image}, cliSays},
        {{QStringLiteral("restore"), path}, QStringLiteral("no backup")},
    };
    // A map is known by its name's ending, which the device's own path lacks.
    if (const QString map = GetParam().make(QDir(dir.path()), QStringLiteral("a map.csv"));
        map.endsWith(u".csv"))
        commands.push_back({{QStringLiteral("import"), image, QStringLiteral("1"), map}, cliSays});
    for (const auto &[arguments, says] : commands) {
        const Answer answer = run(QStringLiteral(TARVOS_CLI_PROGRAM), arguments);
        const std::string named = arguments.join(u' ').toStdString();
        ASSERT_TRUE(answer.ended) << named << " waited";
        EXPECT_EQ(answer.status, 1) << named;
        EXPECT_TRUE(answer.err.contains(says)) << named << ": " << answer.err.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, NamedPaths, ::testing::ValuesIn(kPaths),
                         [](const auto &param) { return std::string(param.param.name); });

#endif
