#include "TileUseReview.h"

#include "CellEdit.h"
#include "CodeReplacement.h"
#include "Dialogs.h"
#include "ImageDocument.h"
#include "ListBox.h"
#include "MapView.h"
#include "PlaceSteps.h"
#include "ReplaceDialog.h"
#include "WindowKey.h"

#include <QAction>
#include <QLabel>

namespace app {

TileUseReview::TileUseReview(const Parts &parts)
    : QObject(&parts.window), m_document(parts.document), m_view(parts.view), m_List1(parts.List1),
      m_lblpos(parts.lblpos), m_window(parts.window), m_chosenTile(parts.chosenTile),
      m_entriesChanged(parts.entriesChanged), m_captionChanged(parts.captionChanged)
{
    m_uses.count(m_document.image());
    connect(&m_document, &ImageDocument::imageReplaced, this, &TileUseReview::imageReplaced);
    connect(&m_document, &ImageDocument::imageMerged, this, &TileUseReview::imageReplaced);
    connect(&m_document, &ImageDocument::cellsChanged, this,
            [this](int, const std::vector<core::ChangedCell> &cells) { cellsChanged(cells); });
    setUpKeys(parts.window);
}

void TileUseReview::setUpKeys(QWidget &window)
{
    // Window shortcuts, as the marks of what changed: whichever control has the focus, each
    // ending a stroke under way first as its release would.
    connect(windowKey(window, QStringLiteral("显示图块位置"), QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, this, [this] { setUsesShown(!m_usesShown); });
    connect(windowKey(window, QStringLiteral("下一处图块"), QKeySequence(Qt::Key_F3)),
            &QAction::triggered, this, [this] { step(true); });
    connect(windowKey(window, QStringLiteral("上一处图块"), QKeySequence(Qt::SHIFT | Qt::Key_F3)),
            &QAction::triggered, this, [this] { step(false); });
    QAction *replaceKey =
        windowKey(window, QStringLiteral("替换图块"), QKeySequence(Qt::CTRL | Qt::Key_H));
    replaceKey->setAutoRepeat(false);
    connect(replaceKey, &QAction::triggered, this, &TileUseReview::replace);
}

void TileUseReview::setUsesShown(bool shown)
{
    m_usesShown = shown;
    m_toldNoUse = false;
    if (shown)
        m_view.setUsedCells([this](int index, core::Cell cell) {
            if (index < 0 || index >= core::kChapterCount)
                return false;
            const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(index)];
            return m_document.image().codeAt(entry, cell) == m_chosenTile();
        });
    else
        m_view.setUsedCells(nullptr);
    marksChanged();
}

void TileUseReview::chosenTileChanged()
{
    m_toldNoUse = false;
    if (m_usesShown)
        marksChanged();
}

void TileUseReview::marksChanged()
{
    m_entriesChanged();
    m_view.redrawShownCells();
    m_captionChanged();
}

void TileUseReview::imageReplaced()
{
    m_uses.count(m_document.image());
    m_toldNoUse = false;
    // The window draws the chosen chapter, marks and all, after this.
    m_entriesChanged();
}

void TileUseReview::cellsChanged(const std::vector<core::ChangedCell> &cells)
{
    const std::vector<int> chapters = m_uses.recount(m_document.image(), cells);
    m_toldNoUse = false;
    if (m_usesShown && !chapters.empty())
        m_entriesChanged();
}

int TileUseReview::shownChapter() const
{
    return chosenChapter(m_List1);
}

QString TileUseReview::entryEnding(int index) const
{
    if (!m_usesShown || index < 0 || index >= core::kChapterCount)
        return {};
    const int count = m_uses.count(index, m_chosenTile());
    return count > 0 ? QStringLiteral(" (%1)").arg(count) : QString();
}

QString TileUseReview::captionText() const
{
    const QString tile = core::hexCodeText(m_chosenTile());
    if (m_toldNoUse)
        return QStringLiteral(" — 没有用到图块 %1 的格子").arg(tile);
    if (!m_usesShown)
        return {};
    const int index = shownChapter();
    return QStringLiteral(" — 图块 %1：本章 %2，共 %3")
        .arg(tile)
        .arg(index < 0 ? 0 : m_uses.count(index, m_chosenTile()))
        .arg(m_uses.total(m_chosenTile()));
}

void TileUseReview::step(bool forward)
{
    m_view.finishTool();
    const core::MapPlace from = stepStart(m_List1, m_view);
    const auto place = m_uses.step(m_document.image(), m_chosenTile(), from, forward);
    if (!place) {
        m_toldNoUse = true;
        m_captionChanged();
        return;
    }
    goToPlace(m_List1, m_view, m_lblpos, *place);
    m_captionChanged();
}

void TileUseReview::replace()
{
    m_view.finishTool();
    const int index = shownChapter();
    if (!m_document.isLoaded() || index < 0)
        return;
    const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(index)];
    const std::uint8_t chosen = m_chosenTile();
    const auto pointed = m_view.cellUnderPointer();
    const auto pointedCode = pointed ? m_document.image().codeAt(entry, *pointed) : std::nullopt;
    const std::uint8_t from = pointedCode.value_or(chosen);
    ReplaceDialog dialog({m_document.image(), index, m_view.capturedRectangle(), from,
                          chosen != from ? std::optional<std::uint8_t>(chosen) : std::nullopt,
                          [this](std::uint8_t code) { return m_view.tilePicture(code); }},
                         &m_window);
    if (host::ExecDialog(dialog) != QDialog::Accepted || !dialog.from() || !dialog.to())
        return;
    replaceCodes(*dialog.from(), *dialog.to(), dialog.scope());
}

void TileUseReview::replaceCodes(std::uint8_t from, std::uint8_t to,
                                 const core::ReplaceScope &scope)
{
    m_view.finishTool();
    core::CodeRules rules;
    rules.add(from, to);
    const auto replacement = core::replaceCodes(m_document.image(), rules, scope);
    if (replacement.empty())
        return;
    const QString name =
        QStringLiteral("替换 %1 为 %2").arg(core::hexCodeText(from), core::hexCodeText(to));
    // One step of the history, across every chapter it changes.
    if (replacement.chapters.size() == 1) {
        const core::CodeReplacement::ChapterCells &only = replacement.chapters.front();
        m_document.push(std::make_unique<CellEdit>(m_document, only.chapter, only.cells, name));
        return;
    }
    std::vector<core::ChangedCell> cells;
    for (const core::CodeReplacement::ChapterCells &chapter : replacement.chapters)
        cells.insert(cells.end(), chapter.cells.begin(), chapter.cells.end());
    m_document.push(
        std::make_unique<CellEdit>(m_document, core::kSeveralChapters, std::move(cells), name));
}

} // namespace app

#include "moc_TileUseReview.cpp"
