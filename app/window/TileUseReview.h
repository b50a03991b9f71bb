#pragma once

#include "ChangedCell.h"
#include "CodeReplacement.h"
#include "TileUses.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QLabel;
class QWidget;

namespace host {
class ListBox;
} // namespace host

namespace app {

class ImageDocument;
class MapView;

// Finding and replacing a tile: the cells of the shown chapter that hold the chosen tile
// marked in the map view, the count of each chapter's uses at the end of List1's entries and
// in the caption, F3 and Shift+F3 stepping through them across chapters, and Ctrl+H
// replacing a code in the shown chapter, all chapters or a captured rectangle as one step of
// the history. Ctrl+F shows or hides the uses; hidden (as at first), the window is as
// without them.
class TileUseReview : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(TileUseReview)
public:
    struct Parts {
        ImageDocument &document;
        MapView &view;
        host::ListBox &List1;
        QLabel &lblpos;
        QWidget &window;
        std::function<std::uint8_t()> chosenTile; // CurrentTile
        std::function<void()> entriesChanged;     // List1's entries are to be shown again
        std::function<void()> captionChanged;
    };
    explicit TileUseReview(const Parts &parts);

    bool usesShown() const { return m_usesShown; }
    void setUsesShown(bool shown);
    const core::TileUses &uses() const { return m_uses; }

    // The chosen tile changed: the marks and counts follow it.
    void chosenTileChanged();
    // F3 and Shift+F3.
    void step(bool forward);
    // Ctrl+H.
    void replace();
    // Replaces `from` with `to` where `scope` says, as one step of the history named for it.
    void replaceCodes(std::uint8_t from, std::uint8_t to, const core::ReplaceScope &scope);

    // What List1's entry of chapter `index` ends in: its count of uses in parentheses while
    // the uses show and it has some.
    QString entryEnding(int index) const;
    // What the caption adds: the chosen tile's uses in the shown chapter and in all.
    QString captionText() const;

private:
    void setUpKeys(QWidget &window);
    void cellsChanged(const std::vector<core::ChangedCell> &cells);
    void imageReplaced();
    void marksChanged();
    int shownChapter() const;

    ImageDocument &m_document;
    MapView &m_view;
    host::ListBox &m_List1;
    QLabel &m_lblpos;
    QWidget &m_window;
    std::function<std::uint8_t()> m_chosenTile;
    std::function<void()> m_entriesChanged;
    std::function<void()> m_captionChanged;

    core::TileUses m_uses;
    bool m_usesShown = false;
    // F3 found no use: the caption says so until the next change.
    bool m_toldNoUse = false;
};

} // namespace app
