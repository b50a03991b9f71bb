#include "DifferenceReview.h"

#include "CellChanges.h"
#include "CellEdit.h"
#include "Dialogs.h"
#include "DocumentQuestions.h"
#include "ImageDocument.h"
#include "LastImageFolder.h"
#include "ListBox.h"
#include "MapDifference.h"
#include "MapView.h"
#include "PlaceSteps.h"
#include "WindowKey.h"

#include <QAction>
#include <QDir>
#include <QLabel>

namespace app {

namespace {

const QString kMarksKey = QStringLiteral("view/differenceMarks");
const QString kMark = QStringLiteral(" ✱");

} // namespace

DifferenceReview::DifferenceReview(const Parts &parts)
    : QObject(&parts.window), m_document(parts.document), m_view(parts.view), m_List1(parts.List1),
      m_lblpos(parts.lblpos), m_questions(parts.questions), m_captionChanged(parts.captionChanged),
      m_entryEnding(parts.entryEnding), m_reference(ReferenceImage::savedFileOf(parts.document))
{
    for (int k = 0; k < m_List1.count(); ++k)
        m_entries << m_List1.item(k)->text();
    m_cells.compare(m_reference.image(), m_document.image());
    connect(&m_document, &ImageDocument::imageReplaced, this, &DifferenceReview::imageReplaced);
    connect(&m_document, &ImageDocument::imageMerged, this, &DifferenceReview::imageMerged);
    connect(&m_document, &ImageDocument::changed, this, &DifferenceReview::documentChanged);
    connect(&m_document, &ImageDocument::cellsChanged, this,
            [this](int, const std::vector<core::ChangedCell> &cells) { cellsChanged(cells); });
    setUpKeys(parts.window);
    setMarksShown(programSettings().value(kMarksKey, false).toBool());
}

void DifferenceReview::setUpKeys(QWidget &window)
{
    // Window shortcuts, as undo's: they work whichever control has the focus, and each ends a
    // stroke under way first as its release would.
    connect(windowKey(window, QStringLiteral("显示修改"), QKeySequence(Qt::CTRL | Qt::Key_D)),
            &QAction::triggered, this, [this] {
                setMarksShown(!m_marksShown);
                programSettings().setValue(kMarksKey, m_marksShown);
            });
    QAction *choose = windowKey(window, QStringLiteral("选择比较对象"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    choose->setAutoRepeat(false);
    connect(choose, &QAction::triggered, this, &DifferenceReview::chooseReference);
    connect(windowKey(window, QStringLiteral("下一处修改"), QKeySequence(Qt::Key_F8)),
            &QAction::triggered, this, [this] { step(true); });
    connect(windowKey(window, QStringLiteral("上一处修改"), QKeySequence(Qt::SHIFT | Qt::Key_F8)),
            &QAction::triggered, this, [this] { step(false); });
    connect(windowKey(window, QStringLiteral("还原"), QKeySequence(Qt::Key_Backspace)),
            &QAction::triggered, this, &DifferenceReview::takeBackFramed);
    connect(
        windowKey(window, QStringLiteral("还原本章"), QKeySequence(Qt::SHIFT | Qt::Key_Backspace)),
        &QAction::triggered, this, &DifferenceReview::takeBackChapter);
}

void DifferenceReview::setMarksShown(bool shown)
{
    m_marksShown = shown;
    m_toldNoDifference = false;
    if (shown)
        m_view.setMarkedCells([this](int index, core::Cell cell) {
            if (index < 0 || index >= core::kChapterCount || !m_cells.compares(index))
                return false;
            const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(index)];
            return core::cellDiffers(m_reference.image(), m_document.image(), entry, cell);
        });
    else
        m_view.setMarkedCells(nullptr);
    markedCellsChanged();
}

void DifferenceReview::markedCellsChanged()
{
    showEntries();
    m_view.redrawShownCells();
    m_captionChanged();
}

void DifferenceReview::chooseReference()
{
    m_view.finishTool();
    host::OpenFileRequest request;
    request.owner = m_List1.window();
    request.caption = QStringLiteral("选择比较的ROM或补丁");
    request.filter = QStringLiteral("ROM或补丁(*.nes *.ips *.bps);;所有文件(*)");
    const QString remembered = lastImageFolder();
    request.startFolder = remembered.isEmpty() ? QDir::currentPath() : remembered;
    const QString path = host::GetOpenFileName(request).trimmed();
    if (!path.isEmpty())
        compareWith(path);
}

bool DifferenceReview::compareWith(const QString &path)
{
    auto read = ReferenceImage::read(path, m_document);
    if (const auto *refusal = std::get_if<QString>(&read)) {
        m_questions.showMessage(*refusal, host::MessageIcon::Critical);
        return false;
    }
    m_reference = std::get<ReferenceImage>(std::move(read));
    compareAgain();
    if (!m_cells.chapterNotes().isEmpty())
        m_questions.showMessage(QStringLiteral("这些关卡的地图位置或大小不同，无法逐格比较：\n%1")
                                    .arg(m_cells.chapterNotes().join(u'\n')),
                                host::MessageIcon::Information);
    return true;
}

void DifferenceReview::compareAgain()
{
    m_cells.compare(m_reference.image(), m_document.image());
    m_toldNoDifference = false;
    markedCellsChanged();
}

void DifferenceReview::imageReplaced()
{
    // A read-in of the same file keeps a reference chosen for it; another image starts from
    // its own file. The window draws the chosen chapter, marks and all, after this.
    if (m_reference.kind() == ReferenceImage::Kind::SavedFile ||
        m_reference.imagePath() != m_document.path())
        m_reference = ReferenceImage::savedFileOf(m_document);
    m_cells.compare(m_reference.image(), m_document.image());
    m_toldNoDifference = false;
    showEntries();
}

void DifferenceReview::imageMerged()
{
    if (m_reference.kind() == ReferenceImage::Kind::SavedFile)
        m_reference = ReferenceImage::savedFileOf(m_document);
    compareAgain();
}

void DifferenceReview::documentChanged()
{
    // A save gives the document its bytes as the file's: the marks of the saved file go.
    if (m_document.isLoaded() && m_reference.kind() == ReferenceImage::Kind::SavedFile &&
        !m_reference.isSavedFileOf(m_document)) {
        m_reference = ReferenceImage::savedFileOf(m_document);
        compareAgain();
    }
}

void DifferenceReview::cellsChanged(const std::vector<core::ChangedCell> &cells)
{
    std::vector<qsizetype> bytes;
    bytes.reserve(cells.size());
    for (const core::ChangedCell &cell : cells)
        bytes.push_back(cell.byte);
    for (const int index : m_cells.recheck(m_reference.image(), m_document.image(), bytes))
        showEntry(index);
    m_toldNoDifference = false;
}

void DifferenceReview::showEntries()
{
    for (int k = 0; k < m_entries.size(); ++k)
        showEntry(k);
}

void DifferenceReview::showEntry(int index)
{
    if (index < 0 || index >= m_entries.size() || index >= m_List1.count())
        return;
    const QString text =
        m_entries.at(index) +
        (m_marksShown && index < core::kChapterCount && m_cells.count(index) > 0 ? kMark
                                                                                 : QString()) +
        (m_entryEnding ? m_entryEnding(index) : QString());
    if (m_List1.item(index)->text() != text)
        m_List1.item(index)->setText(text);
}

int DifferenceReview::shownChapter() const
{
    return chosenChapter(m_List1);
}

QString DifferenceReview::captionText() const
{
    if (m_toldNoDifference)
        return QStringLiteral(" — 与 %1 没有不同").arg(m_reference.name());
    if (!m_marksShown)
        return {};
    const int index = shownChapter();
    return QStringLiteral(" — 与 %1 不同：本章 %2，共 %3")
        .arg(m_reference.name())
        .arg(index < 0 ? 0 : m_cells.count(index))
        .arg(m_cells.total());
}

void DifferenceReview::step(bool forward)
{
    m_view.finishTool();
    const core::MapPlace from = stepStart(m_List1, m_view);
    const auto place = m_cells.step(from, forward);
    if (!place) {
        m_toldNoDifference = true;
        m_captionChanged();
        return;
    }
    goToPlace(m_List1, m_view, m_lblpos, *place);
    m_captionChanged();
}

void DifferenceReview::takeBackFramed()
{
    m_view.finishTool();
    const auto corner = m_view.framedCell();
    if (!corner || shownChapter() < 0)
        return;
    // As a right-click places the stamp: its top-left cell on the cell, clipped to the map.
    const core::MapGrid &stamp = m_view.stamp();
    std::vector<core::Cell> cells;
    for (std::int32_t row = 0; row < stamp.height; ++row)
        for (std::int32_t column = 0; column < stamp.width; ++column)
            cells.push_back(core::Cell{corner->column + column, corner->row + row});
    takeBack(cells);
}

void DifferenceReview::takeBackChapter()
{
    m_view.finishTool();
    const int index = shownChapter();
    if (index < 0)
        return;
    const std::set<core::Cell> &differing = m_cells.cells(index);
    takeBack(std::vector<core::Cell>(differing.begin(), differing.end()));
}

void DifferenceReview::takeBack(const std::vector<core::Cell> &cells)
{
    const int index = shownChapter();
    // A chapter that lies otherwise in the reference has no codes to give.
    if (index < 0 || !m_document.isLoaded() || !m_cells.compares(index))
        return;
    const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(index)];
    core::CellChanges changes;
    for (const core::Cell cell : cells)
        if (const auto code = m_reference.image().codeAt(entry, cell))
            changes.set(m_document.image(), entry, cell, *code);
    m_document.push(std::make_unique<CellEdit>(
        m_document, index, changes.changed(m_document.image(), entry), QStringLiteral("还原")));
}

} // namespace app

#include "moc_DifferenceReview.cpp"
