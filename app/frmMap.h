#pragma once

#include "CellEdit.h"
#include "ChapterMap.h"
#include "Picture.h"
#include "TileCache.h"
#include "TileFolderCache.h"
#include "TileNames.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QCloseEvent;
class QFileSystemWatcher;
class QLabel;
class QSessionManager;
class QTimer;
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

// The editor's one window: the cartridge image in memory, the chapter list, the tile
// palette, the map view and the three commands. Built from its stored layout.
class frmMap : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY(frmMap)
public:
    // `programFolder` is where the tile folder MAP is looked for.
    explicit frmMap(const QString &programFolder = QCoreApplication::applicationDirPath(),
                    QWidget *parent = nullptr);
    ~frmMap() override;

    // Window state.
    const QByteArray &RomData() const { return m_RomData; }
    const QString &RomPath() const { return m_RomPath; }
    const core::ChapterDirectory &Chapters() const { return m_Chapters; }
    std::uint8_t CurrentTile() const { return m_CurrentTile; }
    const core::TileNames &tileNames() const { return m_TileNames; }
    const QString &programFolder() const { return m_programFolder; }

    // Whether RomData differs from the bytes last read from or written to its file.
    bool isModified() const { return m_RomData != m_savedBytes; }

    // The right-click edits, for undo and redo.
    QUndoStack *undoStack() const { return m_undoStack; }

    // The window's controls, by their names in the stored layout.
    QWidget *control(const QString &name) const { return m_controls.value(name); }

    // Command handlers.
    void ucButton1_Click(); // Help
    void ucButton3_Click(); // Open
    void ucButton2_Click(); // Save
    void List1_Click();     // chapter choice

    // The tile palette (frmMapPalette.cpp).
    void GetPic();
    void toolpic_MouseDown(short Button, short Shift, float X, float Y);
    void toolpic_MouseMove(short Button, short Shift, float X, float Y);

    // The map view and its editing (frmMapView.cpp).
    void DrawMap(const core::ChapterMap &entry);
    void mPic_MouseMove(short Button, short Shift, float X, float Y);
    void mPic_MouseDown(short Button, short Shift, float X, float Y);

    static QString helpText();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    friend class CellEdit;

    // What a save writes, and how many of its bytes come from the file rather than RomData.
    struct SavePlan {
        QByteArray bytes;
        qsizetype keptFromFile = 0;
    };

    void Form_Load();
    void wireEvents();
    void setUpUndo();
    // Draws the chosen chapter, as choosing it does; nothing when none is chosen.
    void drawChosenChapter();
    // Takes a newly read image: RomData, the bytes of its file and its directory.
    void takeImage(QByteArray bytes, const core::ChapterDirectory &directory);
    // Sets a cell's byte and, when asked and its chapter is the one shown, repaints the
    // cell from its tile.
    void setCell(const CellEdit::Cell &cell, std::uint8_t code, bool repaint);
    // Writes RomData over its file and says how that went; true when it was written.
    bool save();
    // RomData, merged with what another program wrote to the file since it was last read or
    // written, asking where that needs a choice; nothing when the user cancels.
    std::optional<SavePlan> planSave();
    bool askOverwrite();
    std::optional<bool> askKeepMine(const std::vector<qsizetype> &conflicts);
    // Watches the image's file, and where it is a link the file it names, for changes by
    // other programs.
    void watchImageFile();
    void readInChangedFile();
    // Asks whether to save unsaved edits before they would be lost; true when the command
    // that asks may go on.
    bool maybeSave();
    void commitData(QSessionManager &manager);
    // The code's tile bitmap as the map view looks it up, or its missing-tile picture.
    host::Picture tilePicture(std::uint8_t code);
    const host::Picture &missingTile(std::uint8_t code);

    QString m_programFolder;
    QHash<QString, QWidget *> m_controls;

    QByteArray m_RomData;
    QByteArray m_savedBytes;
    // The edits the user chose not to save as the desktop session ended.
    QByteArray m_declinedEdits;
    QString m_RomPath;
    core::ChapterDirectory m_Chapters{};
    std::uint8_t m_CurrentTile = 0;
    core::TileNames m_TileNames;
    bool m_imageLoaded = false;
    // The chapter the map view shows, -1 before the first draw.
    int m_shownChapter = -1;
    QUndoStack *m_undoStack = nullptr;
    QFileSystemWatcher *m_fileWatcher = nullptr;
    // Lets a burst of changes (a write, then a rename) settle before the file is read.
    QTimer *m_fileSettle = nullptr;
    // The tile folder's listing and the tiles the map view decoded before, for the next
    // draws.
    core::TileFolderCache m_tileFolders;
    core::TileCache m_tileCache;
    // Made the first time a code without a bitmap is drawn.
    std::array<host::Picture, 256> m_missingTiles;

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
