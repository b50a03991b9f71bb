#include "ImageDocument.h"

#include "CartridgeFile.h"
#include "FileMessages.h"
#include "MapPlace.h"
#include "PendingBackup.h"
#include "RecoveryJournal.h"

#include <QByteArrayView>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <array>

namespace app {

namespace {

// A change on disk is read in this long after the last notice of it.
constexpr int kFileSettleMilliseconds = 200;

} // namespace

ImageDocument::ImageDocument(QObject *parent)
    : QObject(parent), m_files(&fileio::diskFileOperations()), m_undoStack(new QUndoStack(this)),
      m_watcher(new QFileSystemWatcher(this)), m_settle(new QTimer(this)),
      m_journalSync(new QTimer(this))
{
    m_settle->setSingleShot(true);
    m_settle->setInterval(kFileSettleMilliseconds);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_settle, qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_settle,
            qOverload<>(&QTimer::start));
    connect(m_settle, &QTimer::timeout, this, &ImageDocument::readInChangedFile);
    m_journalSync->setSingleShot(true);
    connect(m_journalSync, &QTimer::timeout, this, &ImageDocument::syncJournal);
}

ImageDocument::~ImageDocument()
{
    // The journal stays for the next start: the edits it holds were neither saved nor
    // discarded.
    if (m_journal)
        m_journal->syncNow();
}

bool ImageDocument::open(const QString &path)
{
    endStroke();
    if (!settlePendingBackup(path))
        return false;
    auto read = core::readCartridge(path);
    if (const auto *failure = std::get_if<fileio::FileError>(&read)) {
        m_questions->showMessage(core::readFailureMessage(path, *failure),
                                 host::MessageIcon::Critical);
        return false;
    }
    core::Cartridge image(std::get<QByteArray>(std::move(read)));
    if (!image.hasChapters()) {
        m_questions->showMessage(
            QStringLiteral("无法打开文件“%1”：文件太短，装不下25个关卡的地图目录，"
                           "不是本编辑器能修改的ROM。\n已打开的ROM和修改都保持不变。")
                .arg(core::fileDisplayPath(path)),
            host::MessageIcon::Critical);
        return false;
    }
    std::optional<Recovery> recovered;
    if (!settleJournals(path, image.RomData(), recovered))
        return false;
    m_path = path;
    m_loaded = true;
    takeFileBytes(std::move(image));
    if (recovered)
        takeRecovery(std::move(*recovered));
    watchFile();
    return true;
}

bool ImageDocument::settlePendingBackup(const QString &path)
{
    const auto backup = fileio::pendingBackupOf(*m_files, path);
    if (!backup)
        return true;
    const QString prompt =
        QStringLiteral("上次保存时被中断，“%1”的原内容保存在备份“%2”中。要恢复吗？")
            .arg(core::fileDisplayPath(path), core::fileDisplayPath(*backup));
    switch (m_questions->showMessage(prompt, host::MessageIcon::Question,
                                     host::MessageButtons::RestoreDeleteCancel)) {
    case host::MessageAnswer::Restore: {
        const fileio::BackupRestore restore = fileio::restorePendingBackup(*m_files, path);
        if (restore.result == fileio::BackupRestore::Result::Failed)
            m_questions->showMessage(core::saveFailureMessage(path, *restore.failure),
                                     host::MessageIcon::Critical);
        else if (restore.result == fileio::BackupRestore::Result::Changed)
            m_questions->showMessage(core::changedBackupMessage(restore.backup),
                                     host::MessageIcon::Critical);
        else
            return true;
        return false;
    }
    case host::MessageAnswer::DeleteBackup:
        fileio::discardPendingBackup(*m_files, path);
        return true;
    default:
        return false;
    }
}

void ImageDocument::takeFileBytes(core::Cartridge image)
{
    m_image = std::move(image);
    m_fileBytes = m_image.RomData();
    m_fileIdentity = fileio::fileIdentity(m_path);
    // The history was recorded on other bytes.
    m_undoStack->clear();
    startJournal();
    emit imageReplaced();
    emit changed();
}

bool ImageDocument::isModified() const
{
    return m_fileBytes.size() < bytes().size() ||
           QByteArrayView(m_fileBytes).first(bytes().size()) != bytes();
}

void ImageDocument::push(std::unique_ptr<CellEdit> edit)
{
    // Every cell of a step lies inside the image; a step that changes no byte is none.
    const bool changes = std::any_of(
        edit->cells().begin(), edit->cells().end(), [this](const core::ChangedCell &cell) {
            return cell.byte >= 0 && cell.byte < bytes().size() && cell.before != cell.after;
        });
    if (!changes)
        return;
    journalCatchUp();
    const int index = m_undoStack->index();
    m_undoStack->push(edit.release());
    journalStep(fileio::JournalStep::Kind::Do, index);
}

void ImageDocument::setCells(int chapter, const std::vector<core::ChangedCell> &cells, bool after)
{
    // Every image a history was recorded on has the length of this one; the image keeps a
    // mistake from writing beyond it.
    for (const core::ChangedCell &cell : cells)
        m_image.setCellByte(cell.byte, after ? cell.after : cell.before);
    if (chapter == core::kSeveralChapters)
        emitChangesByChapter(cells);
    else
        emit cellsChanged(chapter, cells);
    emit changed();
}

void ImageDocument::emitChangesByChapter(const std::vector<core::ChangedCell> &cells)
{
    // Each byte goes to the first chapter that holds it, as a cell of that chapter.
    std::array<std::vector<core::ChangedCell>, core::kChapterCount> byChapter;
    for (const core::ChangedCell &cell : cells)
        if (const auto place = core::mapPlaceOfByte(chapters(), cell.byte))
            byChapter[static_cast<std::size_t>(place->chapter - 1)].push_back(
                {place->cell, cell.byte, cell.before, cell.after});
    for (int k = 0; k < core::kChapterCount; ++k)
        if (!byChapter[static_cast<std::size_t>(k)].empty())
            emit cellsChanged(k, byChapter[static_cast<std::size_t>(k)]);
}

void ImageDocument::undo()
{
    endStroke();
    if (!m_undoStack->canUndo())
        return;
    journalCatchUp();
    m_undoStack->undo();
    journalStep(fileio::JournalStep::Kind::Undo, m_undoStack->index());
}

void ImageDocument::redo()
{
    endStroke();
    if (!m_undoStack->canRedo())
        return;
    journalCatchUp();
    m_undoStack->redo();
    journalStep(fileio::JournalStep::Kind::Redo, m_undoStack->index() - 1);
}

void ImageDocument::setStrokeUnderWay(std::function<void()> endAsReleased)
{
    m_endStroke = std::move(endAsReleased);
}

void ImageDocument::endStroke()
{
    // Cleared first: ending it pushes its step, and nothing may end it twice.
    if (const std::function<void()> end = std::exchange(m_endStroke, nullptr))
        end();
}

void ImageDocument::watchFile()
{
    if (const QStringList watched = m_watcher->files() + m_watcher->directories();
        !watched.isEmpty())
        m_watcher->removePaths(watched);
    // The path itself, the file a link finally names, and their folders: a file replaced by
    // a rename is a new file, seen only in its folder.
    QStringList paths{m_path, QFileInfo(m_path).absolutePath()};
    const QString target = QFileInfo(m_path).canonicalFilePath();
    if (!target.isEmpty())
        paths << target << QFileInfo(target).absolutePath();
    paths.removeDuplicates();
    QStringList existing;
    for (const QString &path : paths)
        if (QFileInfo::exists(path))
            existing << path;
    if (!existing.isEmpty())
        m_watcher->addPaths(existing);
}

void ImageDocument::readInChangedFile()
{
    if (!m_loaded)
        return;
    // A file replaced by a rename is no longer the one watched, and a link may now name
    // another file.
    watchFile();
    // Edits not saved are merged by Save, not overwritten here.
    if (isModified())
        return;
    // Most notices are of the folder, for other files in it: the image itself is read again
    // only when it is no longer in the state last seen, or when that state is too young for
    // its times to tell a later write from it.
    const auto identity = fileio::fileIdentity(m_path);
    if (identity && identity == m_fileIdentity && fileio::hasSettled(*identity))
        return;
    auto read = core::readCartridge(m_path);
    const auto *bytes = std::get_if<QByteArray>(&read);
    // A file removed or no longer an image is left alone until the person acts.
    if (!bytes || *bytes == m_fileBytes) {
        m_fileIdentity = identity;
        return;
    }
    core::Cartridge image(*bytes);
    if (!image.hasChapters())
        return;
    // A stroke under way is stored first, on the bytes and the layout it was drawn on; where
    // it changed a byte, it is an unsaved edit that the next save merges with the file.
    endStroke();
    if (isModified())
        return;
    takeFileBytes(std::move(image));
}

} // namespace app

#include "moc_ImageDocument.cpp"
