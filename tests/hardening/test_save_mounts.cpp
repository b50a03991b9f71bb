// Saves on real file systems that fail: a small tmpfs that fills up and a read-only bind
// mount. Making a mount needs privileges a test machine may not grant; then these tests
// skip, and the seam-driven tests of test_save_faults.cpp cover the same faults.

#include "../support/DialogScript.h"
#include "../support/FileBytes.h"
#include "../support/SyntheticImage.h"
#include "frmMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#if defined(Q_OS_LINUX)
#include <sys/mount.h>
#endif

using testing_support::DialogScript;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

// A mount undone when the test ends, however it ends.
class Mount {
public:
    Mount() = default;
    ~Mount()
    {
#if defined(Q_OS_LINUX)
        if (!m_target.isEmpty())
            ::umount2(QFile::encodeName(m_target).constData(), MNT_DETACH);
#endif
    }
    Mount(const Mount &) = delete;
    Mount &operator=(const Mount &) = delete;

    bool tmpfs(const QString &target, const char *options)
    {
#if defined(Q_OS_LINUX)
        if (::mount("tmpfs", QFile::encodeName(target).constData(), "tmpfs", 0, options) != 0)
            return false;
        m_target = target;
        return true;
#else
        Q_UNUSED(target);
        Q_UNUSED(options);
        return false;
#endif
    }

    bool bind(const QString &source, const QString &target)
    {
#if defined(Q_OS_LINUX)
        if (::mount(QFile::encodeName(source).constData(), QFile::encodeName(target).constData(),
                    nullptr, MS_BIND, nullptr) != 0)
            return false;
        m_target = target;
        return true;
#else
        Q_UNUSED(source);
        Q_UNUSED(target);
        return false;
#endif
    }

    bool setReadOnly(bool readOnly)
    {
#if defined(Q_OS_LINUX)
        const unsigned long flags = MS_REMOUNT | MS_BIND | (readOnly ? MS_RDONLY : 0);
        return ::mount(nullptr, QFile::encodeName(m_target).constData(), nullptr, flags, nullptr) ==
               0;
#else
        Q_UNUSED(readOnly);
        return false;
#endif
    }

private:
    QString m_target;
};

class SaveOnMounts : public ::testing::Test {
protected:
    // Opens the image at `path` and edits the first cell of chapter 2.
    void openAndEdit(const QString &path)
    {
        window = std::make_unique<app::frmMap>(dir.path());
        dialogs.chosenPaths << path;
        window->ucButton3_Click();
        ASSERT_EQ(window->RomData(), old);
        qobject_cast<QListWidget *>(window->control(QStringLiteral("List1")))->setCurrentRow(1);
        window->mPic_MouseDown(2, 0, 240, 240);
        edited = window->RomData();
        ASSERT_NE(edited, old);
    }

    QTemporaryDir dir;
    const QByteArray old = testing_support::standardSyntheticImage();
    QByteArray edited;
    DialogScript dialogs;
    std::unique_ptr<app::frmMap> window;
};

} // namespace

TEST_F(SaveOnMounts, AFullDiskKeepsTheOldFileAndTheEdits)
{
    const QString disk = QDir(dir.path()).filePath(QStringLiteral("disk"));
    ASSERT_TRUE(QDir().mkpath(disk));
    Mount mount;
    if (!mount.tmpfs(disk, "size=1m"))
        GTEST_SKIP() << "cannot mount a tmpfs here";
    const QString path = QDir(disk).filePath(QStringLiteral("a.nes"));
    ASSERT_NO_FATAL_FAILURE(writeFile(path, old));
    openAndEdit(path);
    // Fill the rest of the disk, so the new copy of the image cannot fit.
    const QString filler = QDir(disk).filePath(QStringLiteral("filler"));
    {
        QFile file(filler);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (file.write(block) == block.size() && file.flush()) {
        }
    }

    window->ucButton2_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::Critical);
    EXPECT_TRUE(dialogs.messages[0].prompt.contains(QDir::toNativeSeparators(path)));
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(window->RomData(), edited);
    EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("a.nes"), QStringLiteral("filler")}));

    ASSERT_TRUE(QFile::remove(filler));
    window->ucButton2_Click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].prompt, QStringLiteral("保存成功！"));
    EXPECT_EQ(readFile(path), edited);
}

TEST_F(SaveOnMounts, AReadOnlyFileSystemKeepsTheOldFileAndTheEdits)
{
    const QString source = QDir(dir.path()).filePath(QStringLiteral("source"));
    const QString view = QDir(dir.path()).filePath(QStringLiteral("view"));
    ASSERT_TRUE(QDir().mkpath(source) && QDir().mkpath(view));
    ASSERT_NO_FATAL_FAILURE(writeFile(QDir(source).filePath(QStringLiteral("a.nes")), old));
    Mount mount;
    if (!mount.bind(source, view) || !mount.setReadOnly(true))
        GTEST_SKIP() << "cannot make a read-only bind mount here";
    const QString path = QDir(view).filePath(QStringLiteral("a.nes"));
    openAndEdit(path);

    window->ucButton2_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::Critical);
    EXPECT_TRUE(dialogs.messages[0].prompt.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(dialogs.messages[0].prompt.contains(QStringLiteral("只读")));
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(window->RomData(), edited);

    ASSERT_TRUE(mount.setReadOnly(false));
    window->ucButton2_Click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].prompt, QStringLiteral("保存成功！"));
    EXPECT_EQ(readFile(path), edited);
}
