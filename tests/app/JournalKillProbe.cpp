#include "Application.h"
#include "Dialogs.h"
#include "UserFileWriter.h"
#include "frmMap.h"

#include <QAction>
#include <QCryptographicHash>
#include <QListWidget>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>

#include <random>

// The editor with an image open, making edits through its window from a seed, one every few
// milliseconds, for a test to kill at a moment of its choosing: after each step it prints
// the step's number and a hash of the image's bytes, so that the test knows which bytes each
// prefix of the steps left. Arguments: the tile folder, the image, the seed.
int main(int argc, char **argv)
{
    fileio::outliveFileSizeLimit();
    // The test's data folders: inherited on Linux, Qt's test mode's on Windows, as the tests'.
#if defined(Q_OS_WIN)
    QStandardPaths::setTestModeEnabled(true);
#endif
    host::Application application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4)
        return 2;
    QTextStream out(stdout);
    host::setMessageBoxHandler([&out](const host::MessageBoxRequest &box) {
        out << "message " << box.prompt.simplified() << Qt::endl;
        return host::MessageAnswer::Cancel;
    });
    app::frmMap window(arguments[1]);
    window.show();
    window.openImage(arguments[2], true);
    if (!window.document().isLoaded())
        return 1;
    window.findChild<QListWidget *>()->setCurrentRow(0);
    const auto hash = [&window] {
        return QString::fromLatin1(
            QCryptographicHash::hash(window.document().bytes(), QCryptographicHash::Sha1).toHex());
    };
    const auto shortcut = [&window](const QKeySequence &key) {
        for (QAction *action : window.actions())
            if (action->shortcuts().contains(key))
                action->trigger();
    };
    std::mt19937 random(arguments[3].toUInt());
    int step = 0;
    out << step << ' ' << hash() << Qt::endl;
    QTimer pace;
    QObject::connect(&pace, &QTimer::timeout, [&] {
        const unsigned pick = random() % 10;
        if (pick == 0) {
            shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
        } else if (pick == 1) {
            shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
        } else {
            const unsigned tile = random() % 105;
            window.toolpic_MouseDown(1, 0, 360.0f * float(tile % 5), 360.0f * float(tile / 5));
            const float x = 240.0f * float(1 + random() % 8);
            const float y = 240.0f * float(1 + random() % 6);
            window.mPic_MouseDown(2, 0, x, y);
            window.mPic_MouseUp(2, 0, x, y);
        }
        out << ++step << ' ' << hash() << Qt::endl;
    });
    pace.start(15);
    return QCoreApplication::exec();
}
