// A person's session in the editor window, one event of kEvents at a time, each with the
// bytes it must leave where they are known. After every event the view is the shown chapter
// drawn from the bytes plus the tool's preview; walked back and forth, each step finds its
// cells as it left them, undoing all gives the bytes the history starts from (as read, or as
// the last save left them) and redoing and back the bytes before; no byte outside the
// chapters' cells differs from the file's. A right-click paints img's picture (the design's
// gesture): the session chooses a tile first, so that img shows what the codes draw.

#include "FuzzEntries.h"

#include "CodeReplacement.h"
#include "FuzzInput.h"
#include "TileUseReview.h"

#include "../support/DialogScript.h"
#include "../support/SyntheticImage.h"
#include "CartridgeFile.h"
#include "JournalReading.h"
#include "MapPlace.h"
#include "PictureBox.h"
#include "TileNaming.h"
#include "frmMap.h"

#include <QAction>
#include <QListWidget>
#include <QPainter>
#include <QShortcut>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUndoStack>

#include <algorithm>

namespace fuzzing {

namespace {

using Bytes = std::optional<QByteArray>;

QRgb tileColour(int code)
{
    return qRgb(code, (code * 37) & 0xFF, 255 - code);
}

// Chapter 1 wider than the view (40 or 39 columns); the sessions edit chapters 1 to 3.
QByteArray imageOfWidth(int width)
{
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({8, 6});
    sizes[0] = {width, 36};
    return testing_support::syntheticImage(sizes);
}

// The program folder, made once: each code's tile in a colour of its own.
QString folder()
{
    static const QTemporaryDir made;
    [[maybe_unused]] static const bool filled = [] {
        QStandardPaths::setTestModeEnabled(true); // Open remembers its folder
        QDir(made.path()).mkpath(QStringLiteral("MAP"));
        QImage tile(16, 16, QImage::Format_RGB32);
        for (int code = 0; code < 256; ++code) {
            tile.fill(tileColour(code));
            tile.save(made.filePath(QStringLiteral("MAP/") + core::tileFileName(code)), "BMP");
        }
        return true;
    }();
    return made.path();
}

class Session {
public:
    explicit Session(FuzzInput &in) : m_in(in)
    {
        // Journals an earlier session's editor left of the same image are not this one's.
        for (const fileio::JournalReading &left : fileio::readJournals(m_path))
            fileio::removeJournal(left.file);
        write(imageOfWidth(40));
        startEditor();
        m_file = m_base = doc().bytes();
        m_tile = in.byte() % 105;
        m_window->toolpic_MouseDown(1, 0, 360.0f * (m_tile % 5), 360.0f * (m_tile / 5));
        list().setCurrentRow(in.byte() % 3);
    }
    static std::uint8_t eventByte(std::string_view name);

    void play()
    {
        for (m_event = 0; !m_in.atEnd(); ++m_event) {
            int pick = m_in.byte() % 48;
            for (m_kind = kEvents.data(); pick >= m_kind->weight; ++m_kind)
                pick -= m_kind->weight;
            m_before = doc().bytes();
            m_previewed = previewed();
            // The pointer over a cell on or next to the map, half the time among its first.
            const int near = m_in.byte() % 2 ? 4 : 256;
            const core::Cell cell{m_in.byte() % (std::min(map().Width, near) + 2),
                                  m_in.byte() % (std::min(map().Height, near) + 2)};
            m_at = m_window->viewport().cellCorner(cell) +
                   QPointF(60, 60) * m_window->viewport().zoom();
            if (const Bytes expected = (this->*m_kind->run)())
                require(doc().bytes() == *expected, m_kind->rule);
            m_dialogs.answers.clear();
            checkView();
            checkHistory();
        }
    }

private:
    struct Event {
        const char *name;
        Bytes (Session::*run)(); // the bytes the event leaves, where known
        int weight;              // out of 48
        const char *rule;
    };
    static const std::array<Event, 14> kEvents;

    app::ImageDocument &doc() const { return m_window->document(); }
    QListWidget &list() const { return *m_window->findChild<QListWidget *>(); }
    const core::ChapterMap &map() const { return doc().chapters()[list().currentRow()]; }
    float x() const { return float(m_at.x()); }
    float y() const { return float(m_at.y()); }
    void require(bool holds, const char *rule) const
    {
        if (!holds)
            throw Finding("event " + std::to_string(m_event) + " (" + m_kind->name + "): " + rule);
    }
    // A window over the image whose journals name an editor that has stopped, as the
    // editor a kill ends is by the time another opens the image.
    void startEditor()
    {
        m_window = std::make_unique<app::frmMap>(folder());
        doc().setJournalOwner({4242, QStringLiteral("another-host"), 1});
        m_dialogs.chosenPaths << m_path;
        m_window->ucButton3_Click();
    }
    void write(const QByteArray &bytes) const
    {
        QFile file(m_path);
        require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), "write");
    }
    QByteArray file() const { return std::get<QByteArray>(core::readCartridge(m_path)); }
    // The bytes with the tool's preview stored.
    QByteArray previewed() const
    {
        QByteArray bytes = doc().bytes();
        if (const core::CellChanges *preview = m_window->preview())
            for (const core::ChangedCell &cell : preview->changed(doc().image(), map()))
                bytes[cell.byte] = static_cast<char>(cell.after);
        return bytes;
    }
    void key(const QKeySequence &key)
    {
        for (QAction *action : m_window->actions())
            if (action->shortcuts().contains(key))
                action->trigger();
        for (QShortcut *shortcut : m_window->findChildren<QShortcut *>())
            if (shortcut->key() == key)
                emit shortcut->activated();
    }

    Bytes press()
    {
        const short button = std::array<short, 4>{1, 2, 2, 4}[m_in.byte() % 4];
        if (m_held & button)
            return m_before;
        m_held |= button;
        m_window->mPic_MouseDown(button, short(m_in.byte() % 4), x(), y());
        return button == host::kRightButton ? std::nullopt : Bytes(m_previewed);
    }
    Bytes move()
    {
        m_window->mPic_MouseMove(m_held, 0, x(), y());
        return m_before;
    }
    // The first button held goes up where the pointer went; only the right button's tools
    // show a preview.
    Bytes release()
    {
        const short button = short(m_held & -m_held);
        move();
        const QByteArray shown = button == host::kRightButton ? previewed() : m_before;
        m_held &= short(~button);
        m_window->mPic_MouseUp(button, 0, x(), y());
        return shown;
    }
    Bytes wheel()
    {
        const int delta = (m_in.byte() % 4 - 2) * 60;
        m_window->mPic_MouseWheel(delta, false, short(m_in.byte() % 4), x(), y());
        return m_previewed;
    }
    Bytes undo()
    {
        key(QKeySequence(Qt::CTRL | Qt::Key_Z));
        return m_previewed != m_before ? Bytes(m_before) : std::nullopt;
    }
    Bytes redo()
    {
        key(QKeySequence(Qt::CTRL | Qt::Key_Y));
        return m_previewed != m_before ? Bytes(m_previewed) : std::nullopt;
    }
    Bytes escape()
    {
        key(QKeySequence(Qt::Key_Escape));
        return m_before;
    }
    // Backspace: the reference, the file as last read or written, gives cells of the shown
    // chapter back their codes, as one step at most; a stroke under way is stored first.
    Bytes takeBack()
    {
        const int steps = doc().undoStack()->index();
        key(QKeySequence(Qt::Key_Backspace));
        const QByteArray now = doc().bytes();
        for (qsizetype i = 0; i < now.size(); ++i)
            if (now[i] != m_previewed[i])
                require(inShownChapter(i) && i < m_file.size() && now[i] == m_file[i],
                        "Backspace gives back the file's code of a cell of the chapter");
        const int stored = m_previewed != m_before ? 1 : 0;
        require(doc().undoStack()->index() - steps <= stored + (now != m_previewed ? 1 : 0),
                "Backspace is one step");
        return std::nullopt;
    }
    // Shift+Backspace: every cell of the shown chapter gets the file's code back.
    Bytes takeBackChapter()
    {
        key(QKeySequence(Qt::SHIFT | Qt::Key_Backspace));
        QByteArray expected = m_previewed;
        const auto fileChapters = core::ReadMapDirectory(m_file);
        if (fileChapters && (*fileChapters)[list().currentRow()] == map())
            for (qsizetype i = 0; i < expected.size() && i < m_file.size(); ++i)
                if (inShownChapter(i))
                    expected[i] = m_file[i];
        return expected;
    }
    bool inShownChapter(qsizetype byte) const
    {
        const qint64 n = qint64{byte} - map().DataOffset;
        return n >= 1 && n <= map().cellCount();
    }
    Bytes chapter()
    {
        list().setCurrentRow((list().currentRow() + 1 + m_in.byte() % 2) % 3);
        return m_previewed;
    }
    // Another program changes cells where edits meet, narrows or widens chapter 1, or makes
    // the file longer, and the watcher comes to it.
    Bytes theirs()
    {
        QByteArray theirs = file();
        const core::ChapterMap first = (*core::ReadMapDirectory(theirs))[0];
        const int kind = m_in.byte() % 3;
        for (int n = m_in.byte() % 4; kind == 0 && n >= 0; --n) {
            const int column = m_in.byte() % 4, row = m_in.byte() % 4;
            theirs[first.DataOffset + 1 + column + first.Width * row] = char(m_in.byte());
        }
        if (kind == 1)
            theirs = imageOfWidth(first.Width == 40 ? 39 : 40);
        if (kind == 2)
            theirs += QByteArray(1 + m_in.byte() % 8, 'T');
        write(theirs);
        // Read in only without unsaved edits; a stroke under way is stored first.
        const bool due = !m_window->isModified() && theirs != m_file;
        doc().readInChangedFile();
        if (!due || m_previewed != m_before)
            return due ? m_previewed : m_before;
        require(doc().undoStack()->count() == 0, "a read-in starts a new history");
        return m_file = m_base = theirs;
    }
    // Each question answered with one of its own buttons, as the input chooses.
    Bytes save()
    {
        m_dialogs.whileAsking = [this](const host::MessageBoxRequest &request) {
            const std::vector<host::MessageAnswer> offered = host::boxAnswers(request.buttons);
            m_dialogs.answers = {offered[m_in.byte() % offered.size()]};
        };
        m_dialogs.messages.clear();
        m_window->ucButton2_Click();
        m_dialogs.whileAsking = nullptr;
        if (m_dialogs.messages.empty() || !m_dialogs.messages.back().prompt.startsWith(u"保存成功"))
            return m_previewed;
        m_file = file();
        m_baseFromHistory = true;
        const int steps = doc().undoStack()->count();
        doc().readInChangedFile();
        require(doc().undoStack()->count() == steps, "the watcher reads back the editor's write");
        return m_file.first(m_before.size());
    }

    // Ctrl+H's replace of one code by another, in the shown chapter or in all: a stroke under
    // way is stored first, then every cell of the scope that holds the code takes the other.
    Bytes replace()
    {
        const auto from = m_in.byte() % 4 == 0 ? m_window->CurrentTile() : m_in.byte();
        const auto to = m_in.byte();
        const bool everywhere = m_in.byte() % 2 == 0;
        const core::ReplaceScope scope = everywhere ? core::ReplaceScope::allChapters()
                                                    : core::ReplaceScope{{list().currentRow()}, {}};
        const core::Cartridge stored(m_previewed);
        QByteArray expected = m_previewed;
        for (const int chapter : scope.chapters) {
            const core::ChapterMap &entry = stored.Chapters()[std::size_t(chapter)];
            for (std::int32_t n = 1; n <= entry.cellCount(); ++n)
                if (const auto byte = stored.cellByte(entry, entry.cellNumbered(n));
                    byte && stored.RomData()[*byte] == char(from))
                    expected[*byte] = char(to);
        }
        m_window->tileUses().replaceCodes(from, to, scope);
        return expected;
    }

    // The editor is killed: the window goes without a word, a stroke under way with it, and
    // another opens the image, taking back what the journal holds.
    Bytes kill()
    {
        const int row = list().currentRow();
        m_held = 0;
        m_dialogs.whileAsking = [this](const host::MessageBoxRequest &request) {
            m_dialogs.answers = {request.buttons == host::MessageButtons::RecoverDiscardCancel
                                     ? host::MessageAnswer::Restore
                                     : host::MessageAnswer::Discard};
        };
        m_window.reset();
        startEditor();
        m_dialogs.whileAsking = nullptr;
        m_window->toolpic_MouseDown(1, 0, 360.0f * (m_tile % 5), 360.0f * (m_tile / 5));
        list().setCurrentRow(row);
        m_baseFromHistory = true;
        const QByteArray now = file();
        // Where another program wrote the file since, the edits were merged with it.
        if (std::exchange(m_file, now) != now)
            return std::nullopt;
        // Opened again, the image is the whole file, with what it holds beyond the image.
        return m_before + now.mid(m_before.size());
    }

    void checkView() const
    {
        const QImage &view =
            m_window->findChild<host::PictureBox *>(QStringLiteral("mPic"))->image();
        QImage expected(view.size(), view.format());
        expected.fill(Qt::white);
        QPainter painter(&expected);
        const app::MapViewport &viewport = m_window->viewport();
        const int size = static_cast<int>(viewport.cellTwips()) / 15;
        const QRect cells = viewport.visibleCells() & QRect(1, 1, map().Width, map().Height);
        for (int row = cells.top(); row <= cells.bottom(); ++row)
            for (int column = cells.left(); column <= cells.right(); ++column) {
                const auto byte = doc().image().cellByte(map(), {column, row});
                const auto shown =
                    m_window->preview() ? m_window->preview()->codeAt({column, row}) : std::nullopt;
                if (byte)
                    painter.fillRect(
                        QRect((QPoint(column, row) - viewport.scroll()) * size, QSize(size, size)),
                        tileColour(shown.value_or(doc().bytes()[*byte] & 0xFF)));
            }
        painter.end();
        require(view == expected, "the view is the chapter drawn from the bytes and the preview");
    }
    void checkHistory()
    {
        QUndoStack &stack = *doc().undoStack();
        const QSignalBlocker quiet(&doc());
        const QByteArray now = doc().bytes();
        const int index = stack.index();
        const auto holds = [&](int i, bool after) {
            return std::ranges::all_of(
                static_cast<const app::CellEdit *>(stack.command(i))->cells(), [&](const auto &c) {
                    return doc().bytes()[c.byte] == char(after ? c.after : c.before);
                });
        };
        for (int i = index - 1; i >= 0; --i, stack.undo())
            require(holds(i, true), "a step undone finds its cells as it left them");
        if (std::exchange(m_baseFromHistory, false))
            m_base = doc().bytes();
        require(doc().bytes() == m_base, "undoing all gives the bytes the history starts from");
        for (int i = 0; i < stack.count(); ++i, stack.redo())
            require(holds(i, false), "a step redone finds its cells as it found them");
        stack.setIndex(index);
        require(doc().bytes() == now, "redoing all and back gives the bytes before");
        require(m_window->isWindowModified() != m_file.startsWith(now), "the caption's *");
        require(core::ReadMapDirectory(now) == doc().chapters(), "edits move no chapter");
        for (qsizetype i = 0; i < now.size(); ++i)
            if (now.constData()[i] != m_file.constData()[i])
                require(core::mapPlaceOfByte(doc().chapters(), i).has_value(),
                        "no byte outside the chapters' cells differs from the file's");
    }

    FuzzInput &m_in;
    testing_support::DialogScript m_dialogs;
    const QString m_path = folder() + QStringLiteral("/session.nes");
    std::unique_ptr<app::frmMap> m_window;
    int m_tile = 0;    // the palette tile chosen
    QByteArray m_file; // the whole file, as the document last read or wrote it
    QByteArray m_base; // what undoing all gives
    bool m_baseFromHistory = false;
    short m_held = 0;
    QPointF m_at; // the pointer in twips, a quarter cell inside the cell it selects
    int m_event = 0;
    const Event *m_kind = nullptr;
    QByteArray m_before, m_previewed; // the bytes before the event, and with the stroke stored
};

const std::array<Session::Event, 14> Session::kEvents{{
    {"press", &Session::press, 8, "a second button ends a stroke as its release would"},
    {"move", &Session::move, 8, "a move stores nothing"},
    {"release", &Session::release, 8, "a release stores what the tool showed"},
    {"wheel", &Session::wheel, 3, "the wheel ends a stroke as its release would"},
    {"undo", &Session::undo, 3, "undo during a stroke takes the stroke back"},
    {"redo", &Session::redo, 2, "redo during a stroke stores it, nothing after"},
    {"escape", &Session::escape, 2, "Escape stores nothing"},
    {"chapter", &Session::chapter, 2, "a chapter choice ends a stroke as its release would"},
    {"theirs", &Session::theirs, 5, "a read-in keeps unsaved edits, an ended stroke among them"},
    {"save", &Session::save, 3, "a save writes the image, or keeps it as it was"},
    {"kill", &Session::kill, 1, "kill and recover gives back the bytes before"},
    {"takeBack", &Session::takeBack, 1, "Backspace ends a stroke, then gives cells back"},
    {"takeBackChapter", &Session::takeBackChapter, 1,
     "Shift+Backspace gives the shown chapter the file's codes"},
    {"replace", &Session::replace, 1, "a replace stores a stroke, then changes every use in scope"},
}};

std::uint8_t Session::eventByte(std::string_view name)
{
    int byte = 0;
    for (const Event *event = kEvents.data(); event->name != name; ++event)
        byte += event->weight;
    return std::uint8_t(byte);
}

} // namespace

void mapSession(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    Session(in).play();
}

std::uint8_t mapSessionEvent(std::string_view name)
{
    return Session::eventByte(name);
}

} // namespace fuzzing
