#pragma once

#include "Cell.h"
#include "ChapterMap.h"
#include "DocumentQuestions.h"
#include "ImageDocument.h"
#include "MapGrid.h"
#include "MapView.h"
#include "MapViewport.h"
#include "Picture.h"
#include "TileNames.h"
#include "TilePictures.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QCloseEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMimeData;
class QLabel;
class QSessionManager;
class QUndoStack;

namespace host {
class ImageControl;
class ListBox;
class PictureBox;
class Shape;
} // namespace host

namespace controls {
class ucButton;
class ucProgress;
} // namespace controls

namespace app {

class DifferenceReview;
class TileUseReview;
class ImageTrial;

// The editor's one window: the chapter list, the tile palette, the map view and the three
// commands, over the image document it shows. Built from its stored layout.
class frmMap : public QWidget, private DocumentQuestions {
    Q_OBJECT
    Q_DISABLE_COPY(frmMap)
public:
    // `programFolder` is where the tile folder MAP is looked for.
    explicit frmMap(const QString &programFolder = QCoreApplication::applicationDirPath(),
                    QWidget *parent = nullptr);
    ~frmMap() override;

    // Window state; the image's part is the document's.
    const QByteArray &RomData() const { return m_document->bytes(); }
    const QString &RomPath() const { return m_document->path(); }
    const core::ChapterDirectory &Chapters() const { return m_document->chapters(); }
    std::uint8_t CurrentTile() const { return m_CurrentTile; }
    const core::TileNames &tileNames() const { return m_TileNames; }
    const QString &programFolder() const { return m_programFolder; }

    // The image the window shows, with its history and its file.
    ImageDocument &document() const { return *m_document; }
    bool isModified() const { return m_document->isModified(); }
    QUndoStack *undoStack() const { return m_document->undoStack(); }

    // The window's controls, by their names in the stored layout.
    QWidget *control(const QString &name) const { return m_controls.value(name); }

    // Command handlers.
    void ucButton1_Click(); // Help
    void ucButton3_Click(); // Open
    void ucButton2_Click(); // Save
    void List1_Click();     // chapter choice
    // F5, and with `chooseEmulator` Shift+F5: the image as it is, tried in an emulator.
    void tryImage(bool chooseEmulator);

    // Opens the image at `path` as Open does once the dialog chose it: named on the command
    // line, or dropped on the window. `tellWhenUnreadable`: a file that cannot be read gets
    // a message naming it and the reason, where the dialog's choice gets none unless it is a
    // pipe, socket or device.
    void openImage(const QString &path, bool tellWhenUnreadable);

    // The tile palette (frmMapPalette.cpp).
    void GetPic();
    void toolpic_MouseDown(short Button, short Shift, float X, float Y);
    void toolpic_MouseMove(short Button, short Shift, float X, float Y);

    // The map view and its editing (frmMapView.cpp), through the map view (MapView.h).
    void DrawMap(const core::ChapterMap &entry);
    void mPic_MouseMove(short Button, short Shift, float X, float Y);
    void mPic_MouseDown(short Button, short Shift, float X, float Y);
    // Beyond the design's gestures: the end of a drag, and the wheel, which scrolls the view
    // or, with Ctrl, zooms it. `pixels`: the turn in pixels, from a device that counts so.
    void mPic_MouseUp(short Button, short Shift, float X, float Y);
    void mPic_MouseWheel(int delta, bool across, short Shift, float X, float Y, int pixels = 0);
    // Where the view shows the chapter: its zoom and scroll position.
    const MapViewport &viewport() const { return m_view->viewport(); }
    // The codes the tool under way shows over the image's cells while its button is held;
    // none otherwise.
    const core::CellChanges *preview() const { return m_view->preview(); }

    // The marks of changed cells, their reference, stepping and taking back.
    DifferenceReview &differenceReview() const { return *m_review; }
    // The uses of the chosen tile, stepping through them and replacing a code.
    TileUseReview &tileUses() const { return *m_uses; }

    static QString helpText();

protected:
    void closeEvent(QCloseEvent *event) override;
    // One local file, no folder, while no command is under way, is opened as Open does.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void Form_Load();
    void wireEvents();
    void wireDocument();
    void setUpUndo();
    void setUpTrial();
    // Draws the chosen chapter, as choosing it does; nothing when none is chosen.
    void drawChosenChapter();
    // A tool took a stamp: img shows its top-left tile, the one right-clicks store.
    void takeStamp(const core::MapGrid &stamp);
    // DocumentQuestions: the editor's message boxes over the window.
    host::MessageAnswer
    showMessage(const QString &prompt, host::MessageIcon icon,
                host::MessageButtons buttons = host::MessageButtons::Ok) override;
    // After a save took bytes from the file: the shown chapter is drawn again where its
    // record changed.
    void redrawMerged(const core::Cartridge &previous);
    // Asks whether to save unsaved edits before they would be lost; true when the command
    // that asks may go on.
    bool maybeSave();
    // The design's caption, then the open image's file name, "*" while it holds unsaved
    // edits.
    void updateCaption();
    // The one local file a drag carries, where it may be dropped now.
    QString droppableFile(const QMimeData *mime) const;
    void commitData(QSessionManager &manager);
    // The tile folder as it is found now.
    QString tileFolderPath() const;

    QString m_programFolder;
    QHash<QString, QWidget *> m_controls;

    ImageDocument *m_document;
    QString m_caption;
    std::unique_ptr<ImageTrial> m_trial;
    // Commands under way: one that waits on a question or a dialog lets events in, but no
    // drop.
    int m_commandsUnderWay = 0;
    // The edits the user chose not to save as the desktop session ended.
    QByteArray m_declinedEdits;
    std::uint8_t m_CurrentTile = 0;
    core::TileNames m_TileNames;
    // The tile folder's listing and the tiles the map view and the palette decoded before,
    // for the next draws.
    render::TilePictures m_tiles;
    MapView *m_view = nullptr;
    DifferenceReview *m_review = nullptr;
    TileUseReview *m_uses = nullptr;

    host::ListBox *m_List1 = nullptr;
    QLabel *m_mapSize = nullptr;
    QLabel *m_lblpos = nullptr;
    host::PictureBox *m_mPic = nullptr;
    host::PictureBox *m_toolpic = nullptr;
    host::ImageControl *m_img = nullptr;
    host::ImageControl *m_Pic = nullptr;
    host::Shape *m_Shape1 = nullptr;
    host::Shape *m_Shape2 = nullptr;
    controls::ucProgress *m_pb = nullptr;
};

} // namespace app
