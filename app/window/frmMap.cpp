#include "frmMap.h"

#include "CartridgeFile.h"
#include "Dialogs.h"
#include "DifferenceReview.h"
#include "EditorMessage.h"
#include "FileCheck.h"
#include "FileMessages.h"
#include "FormBuilder.h"
#include "ImageControl.h"
#include "ImageTrial.h"
#include "LastImageFolder.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "Shape.h"
#include "TileUseReview.h"
#include "Twips.h"
#include "modFileOpen.h"
#include "ucButton.h"
#include "ucProgress.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QSessionManager>
#include <QUndoStack>

namespace app {

namespace {

// Counts a command as under way for as long as it runs.
class CommandUnderWay {
public:
    explicit CommandUnderWay(int &count) : m_count(count) { ++m_count; }
    ~CommandUnderWay() { --m_count; }
    Q_DISABLE_COPY(CommandUnderWay)

private:
    int &m_count;
};

const QString kDefaultRomPath = QStringLiteral("D:\\模拟游戏\\FC\\Vellmark (J).nes");

host::FormRecord storedLayout()
{
    return host::readFormLayoutFile(QStringLiteral(":/tarvos/frmMap.json"));
}

} // namespace

frmMap::frmMap(const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_programFolder(programFolder), m_document(new ImageDocument(this)),
      m_trial(std::make_unique<ImageTrial>(this))
{
    m_document->setQuestions(*this);
    const host::FormRecord layout = storedLayout();
    setObjectName(layout.name);
    m_caption = layout.caption;
    setWindowTitle(m_caption);
    setAcceptDrops(true);
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
    m_view =
        new MapView({*m_document, m_tiles, [this] { return tileFolderPath(); },
                     [this] { return m_List1->currentRow(); }, *this, *m_mPic, *m_Shape1, *m_img});
    m_review = new DifferenceReview(
        {*m_document, *m_view, *m_List1, *m_lblpos, *this, *this, [this] { updateCaption(); },
         [this](int index) { return m_uses ? m_uses->entryEnding(index) : QString(); }});
    m_uses = new TileUseReview({*m_document, *m_view, *m_List1, *m_lblpos, *this,
                                [this] { return m_CurrentTile; },
                                [this] { m_review->showEntries(); }, [this] { updateCaption(); }});
    wireDocument();
    connect(m_view, &MapView::stampTaken, this, &frmMap::takeStamp);
    connect(m_mPic, &host::PictureBox::MouseUp, this, &frmMap::mPic_MouseUp);
    connect(m_mPic, &host::PictureBox::MouseWheel, this, &frmMap::mPic_MouseWheel);
    setUpTrial();
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

void frmMap::wireDocument()
{
    connect(m_document, &ImageDocument::cellsChanged, this,
            [this](int chapter, const std::vector<core::ChangedCell> &cells) {
                m_view->repaintCells(chapter, cells);
            });
    connect(m_document, &ImageDocument::imageReplaced, this, &frmMap::drawChosenChapter);
    connect(m_document, &ImageDocument::imageMerged, this, &frmMap::redrawMerged);
    connect(m_document, &ImageDocument::changed, this, &frmMap::updateCaption);
}

void frmMap::setUpUndo()
{
    // Window shortcuts: they work whichever control has the focus. They go through the
    // document, which ends a stroke under way first, and so they stay live while nothing is
    // stored yet: the stroke is the step they take back.
    auto *undo = new QAction(QStringLiteral("撤销"), this);
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    connect(undo, &QAction::triggered, m_document, &ImageDocument::undo);
    auto *redo = new QAction(QStringLiteral("重做"), this);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, m_document, &ImageDocument::redo);
    addActions({undo, redo});
}

void frmMap::setUpTrial()
{
    // Window shortcuts, as undo's; a held F5 starts one emulator, not one per repeat.
    auto *tryIt = new QAction(QStringLiteral("试玩"), this);
    tryIt->setShortcut(QKeySequence(Qt::Key_F5));
    tryIt->setAutoRepeat(false);
    connect(tryIt, &QAction::triggered, this, [this] { tryImage(false); });
    auto *choose = new QAction(QStringLiteral("选择模拟器"), this);
    choose->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    choose->setAutoRepeat(false);
    connect(choose, &QAction::triggered, this, [this] { tryImage(true); });
    addActions({tryIt, choose});
}

void frmMap::Form_Load()
{
    m_document->setStartPath(kDefaultRomPath);
    GetPic();
    m_CurrentTile = 200;
    m_view->setStamp(core::MapGrid::single(m_CurrentTile));
    // The palette fill leaves its last tile in img; img shows the tile a right-click stores.
    m_img->setPicture(m_view->tilePicture(m_CurrentTile));
}

host::MessageAnswer frmMap::showMessage(const QString &prompt, host::MessageIcon icon,
                                        host::MessageButtons buttons)
{
    return showEditorMessage(this, prompt, icon, buttons);
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
    const CommandUnderWay command(m_commandsUnderWay);
    m_view->finishTool();
    if (!maybeSave())
        return;
    openImage(ShowOpenDialog(this), false);
}

void frmMap::openImage(const QString &path, bool tellWhenUnreadable)
{
    const CommandUnderWay command(m_commandsUnderWay);
    m_view->finishTool();
    // The loaded image, its path and its directory change only once a new image has been
    // read and its directory found, so a cancelled or failed open loses nothing. The
    // document draws the chosen chapter of the new image at once.
    if (const auto failure = fileio::fileCheckFailure(path)) {
        // A pipe or device is named as such wherever it came from: nothing else would tell
        // the person why no image opened.
        if (tellWhenUnreadable || failure->cause == fileio::FileError::Cause::NotRegularFile)
            showMessage(core::readFailureMessage(path, *failure), host::MessageIcon::Critical);
        return;
    }
    if (!m_document->open(path))
        return;
    m_List1->setEnabled(true);
    rememberImageFolder(path);
}

void frmMap::ucButton2_Click()
{
    const CommandUnderWay command(m_commandsUnderWay);
    m_view->finishTool();
    m_document->save();
}

void frmMap::tryImage(bool chooseEmulator)
{
    const CommandUnderWay command(m_commandsUnderWay);
    // The copy holds what the view shows: a stroke under way is stored first.
    m_view->finishTool();
    m_trial->run(*m_document, chooseEmulator);
}

void frmMap::updateCaption()
{
    if (!m_document->isLoaded()) {
        setWindowTitle(m_caption);
        return;
    }
    setWindowTitle(QStringLiteral("%1 - %2[*]%3")
                       .arg(m_caption, QFileInfo(m_document->path()).fileName(),
                            (m_review ? m_review->captionText() : QString()) +
                                (m_uses ? m_uses->captionText() : QString())));
    setWindowModified(m_document->isModified());
}

QString frmMap::droppableFile(const QMimeData *mime) const
{
    if (m_commandsUnderWay > 0 || !mime || !mime->hasUrls())
        return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    // A pipe or device is taken too, so that opening it can say what it is.
    const QString path = urls.front().toLocalFile();
    const QFileInfo info(path);
    return info.exists() && !info.isDir() ? path : QString();
}

void frmMap::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppableFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void frmMap::dragMoveEvent(QDragMoveEvent *event)
{
    if (!droppableFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void frmMap::dropEvent(QDropEvent *event)
{
    const QString path = droppableFile(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const CommandUnderWay command(m_commandsUnderWay);
    m_view->finishTool();
    if (maybeSave())
        openImage(path, false);
}

void frmMap::List1_Click()
{
    const CommandUnderWay command(m_commandsUnderWay);
    // A stroke under way is stored on the chapter it was drawn on.
    m_view->finishTool();
    const int index = m_List1->currentRow();
    if (index < 0 || index >= core::kChapterCount)
        return;
    m_List1->setEnabled(false);
    const core::ChapterMap &entry = Chapters()[static_cast<std::size_t>(index)];
    m_mapSize->setText(QStringLiteral("%1X%2").arg(entry.Width).arg(entry.Height));
    m_view->showChapter(index, entry);
    DrawMap(entry);
    m_view->paintMarks();
    m_List1->setEnabled(true);
    updateCaption();
}

void frmMap::drawChosenChapter()
{
    List1_Click();
}

void frmMap::redrawMerged(const core::Cartridge &previous)
{
    if (m_view->shownRecordChanged(previous))
        drawChosenChapter();
}

void frmMap::takeStamp(const core::MapGrid &stamp)
{
    m_CurrentTile = stamp.at(core::Cell{1, 1});
    m_img->setPicture(m_view->tilePicture(m_CurrentTile));
    m_uses->chosenTileChanged();
}

bool frmMap::maybeSave()
{
    if (!isModified())
        return true;
    const QString prompt =
        QStringLiteral("“%1”已修改。\n是否保存修改？").arg(core::fileDisplayPath(RomPath()));
    switch (
        showMessage(prompt, host::MessageIcon::Question, host::MessageButtons::SaveDiscardCancel)) {
    case host::MessageAnswer::Save:
        return m_document->save();
    case host::MessageAnswer::Discard:
        m_document->discardJournal();
        return true;
    default:
        return false;
    }
}

void frmMap::closeEvent(QCloseEvent *event)
{
    const CommandUnderWay command(m_commandsUnderWay);
    m_view->finishTool();
    if (RomData() == m_declinedEdits || maybeSave())
        event->accept();
    else
        event->ignore();
}

void frmMap::commitData(QSessionManager &manager)
{
    m_view->finishTool();
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
    m_declinedEdits = RomData();
}

} // namespace app

#include "moc_frmMap.cpp"
