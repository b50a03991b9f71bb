// A person's session in the editor, played from the input one event at a time: the three
// buttons pressed, moved and released with Shift and Ctrl, the wheel, undo, redo, Escape,
// palette and chapter choices, saves, Open, and another program's writes read in (cells,
// the layout, a longer file). After every event the view is the shown chapter drawn from the
// bytes plus the tool's preview; walked back and forth, every step of the history finds its
// cells as it left them, undoing everything gives the bytes the history starts from (as last
// read, or as the last save left them) and redoing and back gives the bytes before; no byte
// outside the chapters' cells differs from the file's as last read or written. Events that
// end a stroke store what it showed, as its release would.
//
// A session starts with a palette choice: a right-click paints img's picture (the design's
// gesture), which is the view's tile picture of the chosen code once a tile is chosen in the
// palette or picked from the map, and from then on the view can be drawn from the codes.

#include "FuzzEntries.h"
#include "FuzzInput.h"

#include "../support/DialogScript.h"
#include "../support/SyntheticImage.h"
#include "CellEdit.h"
#include "PictureBox.h"
#include "TileNaming.h"
#include "frmMap.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QShortcut>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUndoStack>

namespace fuzzing {

namespace {

using host::MessageAnswer;

QRgb tileColour(int code)
{
    return qRgb(code, (code * 37) & 0xFF, 255 - code);
}

// Chapter 1 wider than the view at 1x and 2x (40 or 39 columns), 2 and 3 small.
QByteArray imageOfWidth(int width)
{
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({8, 6});
    sizes[0] = {width, 36};
    sizes[2] = {12, 10};
    return testing_support::syntheticImage(sizes);
}

// The program folder of every session, made once: each code's tile in a colour of its own.
QString programFolder()
{
    static QTemporaryDir folder;
    static const bool made = [] {
        QStandardPaths::setTestModeEnabled(true); // the settings Open writes are a test's
        QDir(folder.path()).mkpath(QStringLiteral("MAP"));
        for (int code = 0; code < 256; ++code) {
            QImage tile(16, 16, QImage::Format_RGB32);
            tile.fill(tileColour(code));
            tile.save(folder.filePath(QStringLiteral("MAP/") +
                                      core::tileFileName(static_cast<std::uint8_t>(code))),
                      "BMP");
        }
        return true;
    }();
    Q_UNUSED(made);
    return folder.path();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw Finding("the session's image file cannot be written");
}

class Session {
public:
    explicit Session(FuzzInput &in) : m_in(in), m_window(programFolder())
    {
        writeAll(m_path, imageOfWidth(40));
        m_dialogs.chosenPaths << m_path;
        m_window.ucButton3_Click();
        m_fileBytes = m_base = doc().bytes();
        palette();
        list().setCurrentRow(in.byte() % 3);
    }

    void play()
    {
        for (m_event = 0; !m_in.atEnd(); ++m_event) {
            int pick = m_in.byte() % kWeights;
            const Event *event = kEvents.data();
            while (pick >= event->weight)
                pick -= (event++)->weight;
            m_name = event->name;
            m_before = doc().bytes();
            m_previewed = previewed();
            (this->*event->run)();
            m_dialogs.answers.clear();
            check();
        }
    }

private:
    struct Event {
        const char *name;
        void (Session::*run)();
        int weight; // how often, against the others
    };
    static const std::array<Event, 14> kEvents;
    static const int kWeights;

    app::ImageDocument &doc() const { return m_window.document(); }
    QListWidget &list() const
    {
        return *qobject_cast<QListWidget *>(m_window.control(QStringLiteral("List1")));
    }
    const core::ChapterMap &shownMap() const
    {
        return doc().chapters()[static_cast<std::size_t>(list().currentRow())];
    }
    void require(bool holds, const char *rule) const
    {
        if (!holds)
            throw Finding("event " + std::to_string(m_event) + " (" + m_name + "): " + rule);
    }
    // The bytes with the tool's preview stored.
    QByteArray previewed() const
    {
        QByteArray bytes = doc().bytes();
        if (const app::CellChanges *preview = m_window.preview())
            for (const app::CellEdit::Cell &cell : preview->changed(shownMap(), bytes))
                bytes[cell.byte] = static_cast<char>(cell.after);
        return bytes;
    }
    // A cell on or next to the shown map, half the time among its first 4 x 4 so that edits
    // meet, where the view shows it now.
    QPointF pointer()
    {
        const core::ChapterMap &entry = shownMap();
        const int near = m_in.byte() % 2 ? 4 : 256;
        const QPoint cell(m_in.byte() % (std::min(entry.Width, near) + 2),
                          m_in.byte() % (std::min(entry.Height, near) + 2));
        const double quarter = m_window.viewport().cellTwips() / 4;
        return m_window.viewport().cellCorner(cell) + QPointF(quarter, quarter);
    }
    void trigger(const QKeySequence &key)
    {
        for (QAction *action : m_window.actions())
            if (action->shortcuts().contains(key))
                return action->trigger();
        for (QShortcut *shortcut : m_window.findChildren<QShortcut *>())
            if (shortcut->key() == key)
                return emit shortcut->activated();
        throw Finding("no key " + key.toString().toStdString());
    }
    // Another program's write, read in as the watcher would (at once, or later: before the
    // change settled, the person may edit on): only while the image holds no unsaved edits,
    // and then it ends a stroke under way first.
    void readIn(const QByteArray &theirs)
    {
        writeAll(m_path, theirs);
        if (m_in.byte() % 4) {
            require(doc().bytes() == m_before, "a write not read in yet changes nothing");
            return;
        }
        const bool due =
            !m_window.isModified() && theirs != m_fileBytes && core::ReadMapDirectory(theirs);
        doc().readInChangedFile();
        if (due && m_previewed == m_before)
            return tookFile(doc().bytes() == theirs);
        require(doc().bytes() == (due ? m_previewed : m_before),
                "a read-in keeps edits not saved, a stroke it ends among them");
    }
    void tookFile(bool took)
    {
        require(took && doc().undoStack()->count() == 0, "an image read starts a new history");
        m_fileBytes = m_base = doc().bytes();
    }
    bool saved(std::size_t messagesBefore) const
    {
        for (std::size_t i = messagesBefore; i < m_dialogs.messages.size(); ++i)
            if (m_dialogs.messages[i].prompt.startsWith(QStringLiteral("保存成功！")))
                return true;
        return false;
    }
    void tookSave()
    {
        const QByteArray file = readAll(m_path);
        require(file.startsWith(doc().bytes()),
                "a save writes the image over the file's first bytes");
        m_fileBytes = file;
        m_baseFromHistory = true;
        const int steps = doc().undoStack()->count();
        doc().readInChangedFile();
        require(doc().bytes() == file.first(doc().bytes().size()) &&
                    doc().undoStack()->count() == steps,
                "the watcher reads nothing back after the editor's own write");
    }

    // The events.
    void palette()
    {
        const int k = m_in.byte() % 105;
        m_window.toolpic_MouseDown(1, 0, 360.0f * (k % 5), 360.0f * (k / 5));
    }
    // One of the buttons `held` (or of those not held) names, the right one the most often.
    short button(bool held)
    {
        std::vector<short> buttons;
        for (const short b : {1, 2, 2, 2, 4})
            if (((m_held & b) != 0) == held)
                buttons.push_back(b);
        const std::uint8_t pick = m_in.byte();
        return buttons.empty() ? 0 : buttons[pick % buttons.size()];
    }
    void press()
    {
        const short button = this->button(false);
        const short shift = m_in.byte() % 4;
        const QPointF at = pointer();
        if (!button)
            return;
        m_held |= button;
        m_window.mPic_MouseDown(button, shift, float(at.x()), float(at.y()));
        if (button != host::kRightButton)
            require(doc().bytes() == m_previewed,
                    "a second button ends a stroke as its release would");
    }
    void move()
    {
        const QPointF at = pointer();
        m_window.mPic_MouseMove(m_held, 0, float(at.x()), float(at.y()));
        require(doc().bytes() == m_before, "moving the pointer stores nothing");
    }
    void release()
    {
        const short button = this->button(true);
        const QPointF at = pointer();
        if (!button)
            return;
        // The pointer reaches the place before the button goes up there.
        m_window.mPic_MouseMove(m_held, 0, float(at.x()), float(at.y()));
        // Only a tool of the right button shows a preview; the release of another button is
        // not its end.
        const QByteArray shown = button == host::kRightButton ? previewed() : m_before;
        m_held &= ~button;
        m_window.mPic_MouseUp(button, 0, float(at.x()), float(at.y()));
        require(doc().bytes() == shown, "a release stores what the tool showed, nothing else");
    }
    void wheel()
    {
        const int delta = (m_in.byte() % 4 - 2) * 60;
        const short shift = m_in.byte() % 4;
        const QPointF at = pointer();
        m_window.mPic_MouseWheel(delta, false, shift, float(at.x()), float(at.y()));
        require(doc().bytes() == m_previewed, "the wheel ends a stroke as its release would");
    }
    void undo()
    {
        trigger(QKeySequence(Qt::CTRL | Qt::Key_Z));
        if (m_previewed != m_before)
            require(doc().bytes() == m_before, "undo during a stroke takes back the stroke");
    }
    void redo()
    {
        trigger(QKeySequence(Qt::CTRL | Qt::Key_Y));
        if (m_previewed != m_before)
            require(doc().bytes() == m_previewed, "redo during a stroke stores it, nothing after");
    }
    void escape()
    {
        trigger(QKeySequence(Qt::Key_Escape));
        require(doc().bytes() == m_before, "Escape stores nothing");
    }
    void chapter()
    {
        // A click on the entry chosen already chooses it again.
        if (const int row = m_in.byte() % 3; row == list().currentRow())
            m_window.List1_Click();
        else
            list().setCurrentRow(row);
        require(doc().bytes() == m_previewed,
                "a chapter choice ends a stroke as its release would");
    }
    // Cells of the file's chapters, half of them cells one of the last steps wrote.
    void theirCells()
    {
        QByteArray theirs = readAll(m_path);
        const auto directory = core::ReadMapDirectory(theirs);
        const QUndoStack &history = *doc().undoStack();
        for (int n = m_in.byte() % 4; directory && n >= 0; --n) {
            const core::ChapterMap &entry = (*directory)[m_in.byte() % 3];
            auto byte = core::cellByteIndex(entry, 1 + m_in.byte() % entry.Width,
                                            1 + m_in.byte() % entry.Height, theirs.size());
            if (history.count() > 0 && m_in.byte() % 2) {
                const int step = history.count() - 1 - m_in.byte() % std::min(history.count(), 3);
                const auto &cells =
                    static_cast<const app::CellEdit *>(history.command(step))->cells();
                byte = cells[m_in.byte() % cells.size()].byte;
            }
            if (byte && *byte < theirs.size())
                theirs[*byte] = static_cast<char>(m_in.byte());
        }
        readIn(theirs);
    }
    void theirLayout()
    {
        const auto directory = core::ReadMapDirectory(readAll(m_path));
        readIn(imageOfWidth(directory && (*directory)[0].Width == 40 ? 39 : 40));
    }
    void theirTail() { readIn(readAll(m_path) + QByteArray(1 + m_in.byte() % 8, 'T')); }
    // Answers for the questions of a save: keep mine, use the file's, overwrite, cancel.
    void answer(int count)
    {
        for (int i = 0; i < count; ++i)
            m_dialogs.answers << std::array{MessageAnswer::KeepMine, MessageAnswer::UseFile,
                                            MessageAnswer::UseFile, MessageAnswer::Overwrite,
                                            MessageAnswer::Cancel}[m_in.byte() % 5];
    }
    void save()
    {
        answer(2);
        const std::size_t messages = m_dialogs.messages.size();
        m_window.ucButton2_Click();
        if (saved(messages))
            return tookSave();
        require(doc().bytes() == m_previewed, "a save not made keeps the edits, the stroke stored");
    }
    void open()
    {
        m_dialogs.answers << std::array{MessageAnswer::Save, MessageAnswer::Discard,
                                        MessageAnswer::Cancel}[m_in.byte() % 3];
        answer(1);
        const std::size_t messages = m_dialogs.messages.size();
        const std::size_t dialogs = m_dialogs.openRequests.size();
        m_dialogs.chosenPaths = {m_path};
        m_window.ucButton3_Click();
        if (m_dialogs.openRequests.size() > dialogs)
            return tookFile(doc().bytes() == readAll(m_path));
        if (saved(messages))
            return tookSave();
        require(doc().bytes() == m_previewed, "Open not made keeps the edits, the stroke stored");
    }

    // The rules of every event.
    void check()
    {
        checkView();
        walkHistory();
        const QByteArray &bytes = doc().bytes();
        require(m_window.isWindowModified() == !m_fileBytes.startsWith(bytes),
                "the caption's * says whether the image differs from its file");
        const auto directory = core::ReadMapDirectory(bytes);
        require(directory && *directory == doc().chapters(), "edits leave the layout alone");
        std::vector<bool> cells(static_cast<std::size_t>(bytes.size()), false);
        for (const core::ChapterMap &entry : *directory)
            for (qsizetype i = 1; i <= entry.cellCount() && entry.DataOffset + i < bytes.size();
                 ++i)
                cells[static_cast<std::size_t>(entry.DataOffset + i)] = true;
        for (qsizetype i = 0; i < bytes.size(); ++i)
            require(cells[static_cast<std::size_t>(i)] || bytes[i] == m_fileBytes[i],
                    "no byte outside the chapters' cells differs from the file's");
    }
    void checkView() const
    {
        const QImage &view =
            qobject_cast<host::PictureBox *>(m_window.control(QStringLiteral("mPic")))->image();
        QImage expected(view.size(), view.format());
        expected.fill(Qt::white);
        QPainter painter(&expected);
        const core::ChapterMap &entry = shownMap();
        const app::MapViewport &viewport = m_window.viewport();
        const int size = static_cast<int>(viewport.cellTwips()) / 15;
        const QRect cells = viewport.visibleCells() & QRect(1, 1, entry.Width, entry.Height);
        for (int row = cells.top(); row <= cells.bottom(); ++row)
            for (int column = cells.left(); column <= cells.right(); ++column) {
                const auto byte = core::cellByteIndex(entry, column, row, doc().bytes().size());
                if (!byte)
                    continue;
                const app::CellChanges *preview = m_window.preview();
                const auto previewed = preview ? preview->codeAt({column, row}) : std::nullopt;
                const QPoint corner = (QPoint(column, row) - viewport.scroll()) * size;
                painter.fillRect(
                    QRect(corner, QSize(size, size)),
                    tileColour(previewed.value_or(std::uint8_t(doc().bytes()[*byte]))));
            }
        painter.end();
        require(view == expected,
                "the view is the shown chapter drawn from the bytes and the preview");
    }
    void walkHistory()
    {
        QUndoStack &stack = *doc().undoStack();
        const QSignalBlocker quiet(&doc());
        const QByteArray now = doc().bytes();
        const int index = stack.index();
        const auto holds = [&](int i, bool after) {
            for (const auto &cell : static_cast<const app::CellEdit *>(stack.command(i))->cells())
                if (doc().bytes()[cell.byte] != char(after ? cell.after : cell.before))
                    return false;
            return true;
        };
        for (int i = index - 1; i >= 0; --i, stack.undo())
            require(holds(i, true), "a step undone finds its cells as it left them");
        if (std::exchange(m_baseFromHistory, false))
            m_base = doc().bytes();
        require(doc().bytes() == m_base,
                "undoing everything gives the bytes the history starts from");
        for (int i = 0; i < stack.count(); ++i, stack.redo())
            require(holds(i, false), "a step redone finds its cells as it found them");
        stack.setIndex(index);
        require(doc().bytes() == now, "redoing everything and back gives the bytes before");
    }

    FuzzInput &m_in;
    testing_support::DialogScript m_dialogs;
    const QString m_path = QDir(programFolder()).filePath(QStringLiteral("session.nes"));
    app::frmMap m_window;
    QByteArray m_fileBytes; // the whole file, as the document last read or wrote it
    QByteArray m_base;      // what undoing everything gives
    bool m_baseFromHistory = false;
    short m_held = 0;
    int m_event = 0;
    std::string m_name;
    QByteArray m_before;    // the bytes before the event
    QByteArray m_previewed; // ... with the stroke under way stored
};

const std::array<Session::Event, 14> Session::kEvents{{
    {"palette", &Session::palette, 2},
    {"press", &Session::press, 8},
    {"move", &Session::move, 12},
    {"release", &Session::release, 8},
    {"wheel", &Session::wheel, 3},
    {"undo", &Session::undo, 3},
    {"redo", &Session::redo, 2},
    {"escape", &Session::escape, 2},
    {"chapter", &Session::chapter, 2},
    {"their cells", &Session::theirCells, 4},
    {"their layout", &Session::theirLayout, 1},
    {"their tail", &Session::theirTail, 1},
    {"save", &Session::save, 3},
    {"open", &Session::open, 1},
}};

const int Session::kWeights = [] {
    int sum = 0;
    for (const Event &event : kEvents)
        sum += event.weight;
    return sum;
}();

} // namespace

void mapSession(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    Session session(in);
    session.play();
}

} // namespace fuzzing
