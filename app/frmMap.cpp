#include "frmMap.h"

#include "CartridgeFile.h"
#include "Dialogs.h"
#include "EditorMessage.h"
#include "FileCheck.h"
#include "FileMessages.h"
#include "FormBuilder.h"
#include "ImageControl.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "Shape.h"
#include "Twips.h"
#include "modFileOpen.h"
#include "ucButton.h"
#include "ucProgress.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QUndoStack>

namespace app {

namespace {

const QString kDefaultRomPath = QStringLiteral("D:\\模拟游戏\\FC\\Vellmark (J).nes");
// A change on disk is read in this long after the last notice of it.
constexpr int kFileSettleMilliseconds = 200;

host::FormRecord storedLayout()
{
    return host::readFormLayoutFile(QStringLiteral(":/tarvos/frmMap.json"));
}

} // namespace

frmMap::frmMap(const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_programFolder(programFolder)
{
    const host::FormRecord layout = storedLayout();
    setObjectName(layout.name);
    setWindowTitle(layout.caption);
    setWindowIcon(QIcon(layout.settings.value(u"icon").toString()));
    setFixedSize(host::twipsToPixels(layout.clientWidth), host::twipsToPixels(layout.clientHeight));

    host::FormBuilder builder;
    builder.registerUserControl(QStringLiteral("ucButton"),
                                [](QWidget *p) { return new controls::ucButton(p); });
    builder.registerUserControl(QStringLiteral("ucProgress"),
                                [](QWidget *p) { return new controls::ucProgress(p); });
    m_controls = builder.build(layout, this);

    m_List1 = qobject_cast<host::ListBox *>(control(QStringLiteral("List1")));
    m_mapSize = qobject_cast<QLabel *>(control(QStringLiteral("mapSize")));
    m_lblpos = qobject_cast<QLabel *>(control(QStringLiteral("lblpos")));
    m_mPic = qobject_cast<host::PictureBox *>(control(QStringLiteral("mPic")));
    m_toolpic = qobject_cast<host::PictureBox *>(control(QStringLiteral("toolpic")));
    m_img = qobject_cast<host::ImageControl *>(control(QStringLiteral("img")));
    m_Pic = qobject_cast<host::ImageControl *>(control(QStringLiteral("Pic")));
    m_Shape1 = qobject_cast<host::Shape *>(control(QStringLiteral("Shape1")));
    m_Shape2 = qobject_cast<host::Shape *>(control(QStringLiteral("Shape2")));
    m_pb = qobject_cast<controls::ucProgress *>(control(QStringLiteral("pb")));

    // Keyboard focus follows the stored tab order.
    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const auto &record : layout.controls)
        if (record.tabIndex >= 0)
            tabOrder.emplace_back(record.tabIndex, control(record.name));
    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);

    wireEvents();
    setUpUndo();
    m_fileWatcher = new QFileSystemWatcher(this);
    m_fileSettle = new QTimer(this);
    m_fileSettle->setSingleShot(true);
    m_fileSettle->setInterval(kFileSettleMilliseconds);
    connect(m_fileWatcher, &QFileSystemWatcher::fileChanged, m_fileSettle,
            qOverload<>(&QTimer::start));
    connect(m_fileWatcher, &QFileSystemWatcher::directoryChanged, m_fileSettle,
            qOverload<>(&QTimer::start));
    connect(m_fileSettle, &QTimer::timeout, this, &frmMap::readInChangedFile);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &frmMap::commitData);
    Form_Load();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

frmMap::~frmMap() = default;

void frmMap::wireEvents()
{
    auto button = [this](const QString &name) {
        return qobject_cast<controls::ucButton *>(control(name));
    };
    connect(button(QStringLiteral("ucButton1")), &controls::ucButton::Click, this,
            &frmMap::ucButton1_Click);
    connect(button(QStringLiteral("ucButton3")), &controls::ucButton::Click, this,
            &frmMap::ucButton3_Click);
    connect(button(QStringLiteral("ucButton2")), &controls::ucButton::Click, this,
            &frmMap::ucButton2_Click);
    connect(m_List1, &host::ListBox::Click, this, &frmMap::List1_Click);
    connect(m_toolpic, &host::PictureBox::MouseDown, this, &frmMap::toolpic_MouseDown);
    connect(m_toolpic, &host::PictureBox::MouseMove, this, &frmMap::toolpic_MouseMove);
    connect(m_mPic, &host::PictureBox::MouseDown, this, &frmMap::mPic_MouseDown);
    connect(m_mPic, &host::PictureBox::MouseMove, this, &frmMap::mPic_MouseMove);
}

void frmMap::setUpUndo()
{
    m_undoStack = new QUndoStack(this);
    // Window shortcuts: they work whichever control has the focus.
    QAction *undo = m_undoStack->createUndoAction(this);
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction *redo = m_undoStack->createRedoAction(this);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addActions({undo, redo});
}

void frmMap::Form_Load()
{
    m_RomPath = kDefaultRomPath;
    GetPic();
    m_CurrentTile = 200;
    // The palette fill leaves its last tile in img; img shows the tile a right-click stores.
    m_img->setPicture(tilePicture(m_CurrentTile));
}

QString frmMap::helpText()
{
    return QStringLiteral("使用说明:\r\n选择游戏ROM>选择要修改关卡>选择要替代的\r\n"
                          "图标>在地图上[右击]替换>保存ROM\r\n\r\n2008-1-19");
}

void frmMap::ucButton1_Click()
{
    host::MsgBox({this, helpText(), QStringLiteral("说明"), host::MessageIcon::Information});
}

void frmMap::ucButton3_Click()
{
    if (!maybeSave())
        return;
    // The loaded image, its path and its directory change only once a new image has been
    // read and its directory found, so a cancelled or failed open loses nothing.
    const QString path = ShowOpenDialog(this);
    if (!core::FileCheck(path))
        return;
    auto read = core::readCartridge(path);
    if (const auto *failure = std::get_if<core::FileError>(&read)) {
        showEditorMessage(this, core::readFailureMessage(path, *failure),
                          host::MessageIcon::Critical);
        return;
    }
    QByteArray bytes = std::get<QByteArray>(std::move(read));
    const auto directory = core::ReadMapDirectory(bytes);
    if (!directory) {
        showEditorMessage(this,
                          QStringLiteral("无法打开文件“%1”：文件太短，装不下25个关卡的地图目录，"
                                         "不是本编辑器能修改的ROM。\n已打开的ROM和修改都保持不变。")
                              .arg(core::fileDisplayPath(path)),
                          host::MessageIcon::Critical);
        return;
    }
    m_RomPath = path;
    takeImage(std::move(bytes), *directory);
    m_imageLoaded = true;
    m_List1->setEnabled(true);
    watchImageFile();
    drawChosenChapter();
}

void frmMap::takeImage(QByteArray bytes, const core::ChapterDirectory &directory)
{
    m_RomData = std::move(bytes);
    m_savedBytes = m_RomData;
    m_Chapters = directory;
    // The edits were made to another image's bytes.
    m_undoStack->clear();
}

void frmMap::List1_Click()
{
    const int index = m_List1->currentRow();
    if (index < 0 || index >= core::kChapterCount)
        return;
    m_List1->setEnabled(false);
    const core::ChapterMap &entry = m_Chapters[static_cast<std::size_t>(index)];
    m_mapSize->setText(QStringLiteral("%1X%2").arg(entry.Width).arg(entry.Height));
    m_shownChapter = index;
    DrawMap(entry);
    m_List1->setEnabled(true);
}

void frmMap::drawChosenChapter()
{
    List1_Click();
}

void frmMap::closeEvent(QCloseEvent *event)
{
    if (m_RomData == m_declinedEdits || maybeSave())
        event->accept();
    else
        event->ignore();
}

void frmMap::commitData(QSessionManager &manager)
{
    // Asking needs the session manager's leave; without it the session ends as the
    // platform decides.
    if (!isModified() || !manager.allowsInteraction())
        return;
    if (!maybeSave()) {
        manager.cancel();
        return;
    }
    // The session now closes the window: edits the user chose not to save are not asked
    // about a second time.
    m_declinedEdits = m_RomData;
}

} // namespace app

#include "moc_frmMap.cpp"
