#pragma once

#include "ChangedCell.h"
#include "DifferingCells.h"
#include "ReferenceImage.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QLabel;
class QWidget;

namespace host {
class ListBox;
} // namespace host

namespace app {

class DocumentQuestions;
class ImageDocument;
class MapView;

// Seeing what changed: the cells of the open image that differ from a reference (the file
// as last read or written, another image, or the file with a patch applied) marked in the
// map view, counted in List1's entries and the caption, stepped through with F8 and
// Shift+F8, and taken back with Backspace and Shift+Backspace. The marks are hidden at first;
// Ctrl+D shows or hides them, and the settings remember which.
class DifferenceReview : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(DifferenceReview)
public:
    struct Parts {
        ImageDocument &document;
        MapView &view;
        host::ListBox &List1;
        QLabel &lblpos;
        QWidget &window;
        DocumentQuestions &questions;
        std::function<void()> captionChanged;
        // What else List1's entry of a chapter ends in, after the mark of its differences.
        std::function<QString(int index)> entryEnding;
    };
    // Connects to the document's signals: made before whatever draws on them, so that the
    // differences are counted when the view and the caption show them.
    explicit DifferenceReview(const Parts &parts);

    bool marksShown() const { return m_marksShown; }
    void setMarksShown(bool shown);
    const ReferenceImage &reference() const { return m_reference; }
    const core::DifferingCells &differingCells() const { return m_cells; }

    // Ctrl+Shift+D: a file dialog for the image or patch to compare with; cancelled, the
    // reference stays.
    void chooseReference();
    // Compares with the image or patch at `path`; refused with a message, keeping the
    // reference, where it cannot be used. True when it is the reference now.
    bool compareWith(const QString &path);
    // F8 and Shift+F8.
    void step(bool forward);
    // Backspace: the reference's codes into the cells the hover frame covers with the stamp.
    void takeBackFramed();
    // Shift+Backspace: the reference's codes into every differing cell of the shown chapter.
    void takeBackChapter();

    // What the caption adds after the file name; nothing while the marks are hidden.
    QString captionText() const;
    // List1's entries: " ✱" after those of chapters with differences while the marks show,
    // then what else each ends in.
    void showEntries();

private:
    void setUpKeys(QWidget &window);
    void takeBack(const std::vector<core::Cell> &cells);
    void compareAgain();
    void imageReplaced();
    void imageMerged();
    void documentChanged();
    void cellsChanged(const std::vector<core::ChangedCell> &cells);
    void showEntry(int index);
    void markedCellsChanged();
    int shownChapter() const;

    ImageDocument &m_document;
    MapView &m_view;
    host::ListBox &m_List1;
    QLabel &m_lblpos;
    DocumentQuestions &m_questions;
    std::function<void()> m_captionChanged;
    std::function<QString(int)> m_entryEnding;

    ReferenceImage m_reference;
    core::DifferingCells m_cells;
    QStringList m_entries;
    bool m_marksShown = false;
    // F8 found no difference: the caption says so until the next change.
    bool m_toldNoDifference = false;
};

} // namespace app
