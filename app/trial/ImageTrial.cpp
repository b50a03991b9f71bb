#include "ImageTrial.h"

#include "EditorMessage.h"
#include "EmulatorChoice.h"
#include "EmulatorStart.h"
#include "ImageDocument.h"

#include <QDir>
#include <QFileInfo>

namespace app {

namespace {

QString cannotStart(const QString &program, const QString &why)
{
    return QStringLiteral("无法启动模拟器“%1”：%2。\n按 Shift+F5 可以另选模拟器。")
        .arg(QDir::toNativeSeparators(program), why);
}

} // namespace

ImageTrial::ImageTrial(QWidget *owner, TryCopies copies)
    : m_owner(owner), m_copies(std::move(copies))
{
}

ImageTrial::~ImageTrial()
{
    if (m_madeCopies)
        m_copies.prune();
}

void ImageTrial::run(const ImageDocument &document, bool chooseEmulator)
{
    std::optional<EmulatorChoice> emulator = rememberedEmulator();
    if (chooseEmulator || (!emulator && document.isLoaded())) {
        emulator = askForEmulator(m_owner, emulator);
        if (!emulator)
            return;
        rememberEmulator(*emulator);
    }
    if (!document.isLoaded()) {
        if (!chooseEmulator)
            tell(QStringLiteral("还没有打开ROM。请先用“浏览”打开一个ROM，再按 F5 试玩。"),
                 host::MessageIcon::Information);
        return;
    }
    // A program that cannot start costs no copy.
    const FoundProgram program = findProgram(emulator->program);
    if (program.path.isEmpty()) {
        tell(cannotStart(emulator->program, program.failure), host::MessageIcon::Critical);
        return;
    }
    const TryCopies::Copy copy =
        m_copies.make(QFileInfo(document.path()).fileName(), document.bytesAsSaved());
    if (copy.path.isEmpty()) {
        tell(copy.failure + QStringLiteral("\n模拟器没有启动；ROM和修改都保持不变。"),
             host::MessageIcon::Critical);
        return;
    }
    m_madeCopies = true;
    const QStringList arguments =
        emulatorArguments(emulator->arguments, QDir::toNativeSeparators(copy.path));
    if (const auto failure = startDetached(program.path, arguments)) {
        m_copies.discard(copy);
        tell(cannotStart(emulator->program, *failure), host::MessageIcon::Critical);
        return;
    }
    m_copies.prune(copy);
}

void ImageTrial::tell(const QString &message, host::MessageIcon icon) const
{
    showEditorMessage(m_owner, message, icon);
}

} // namespace app
