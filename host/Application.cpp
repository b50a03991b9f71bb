#include "Application.h"

#include "Dialogs.h"
#include "DisplayFrame.h"
#include "FontDensity.h"
#include "KnownPointer.h"
#include "PropertyBagCodecs.h"
#include "RuntimeError.h"

#include <QFont>
#include <QFontDatabase>

namespace host {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    // Stored layouts hold fonts and pictures; their bag form must be known before any
    // window is read.
    registerPropertyBagCodecs();
    // The default interface font, which the controls without a font of their own use, is
    // sized for the window's layout too.
    QFont interfaceFont = font();
    if (interfaceFont.pointSizeF() > 0) {
        const double points = displayPointSize(interfaceFont.pointSizeF());
        if (points != interfaceFont.pointSizeF()) {
            interfaceFont.setPointSizeF(points);
            setFont(interfaceFont);
        }
    }
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    notePointerEvent(receiver, event);
    if (m_eventDepth == 0)
        beginEventHandler();
    struct Depth {
        int &depth;
        explicit Depth(int &d) : depth(++d) {}
        ~Depth() { --depth; }
    } depth(m_eventDepth);
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError &error) {
        reportUnhandledError(error.description(), error.number());
    } catch (const std::exception &error) {
        reportUnhandledError(QString::fromLocal8Bit(error.what()), 0);
    }
    return false;
}

void reportUnhandledError(const QString &description, int number)
{
    MessageBoxRequest request;
    request.title = QStringLiteral("TARVOS");
    request.prompt = number ? QStringLiteral("运行时错误 '%1':\n\n%2").arg(number).arg(description)
                            : description;
    request.icon = MessageIcon::Critical;
    MsgBox(request);
}

void installFontSubstitutions()
{
    const QStringList families = QFontDatabase::families();
    auto firstInstalled = [&](std::initializer_list<const char16_t *> candidates) {
        QStringList found;
        for (const char16_t *name : candidates) {
            const QString family = QString::fromUtf16(name);
            if (families.contains(family, Qt::CaseInsensitive))
                found << family;
        }
        return found;
    };
    const QStringList song = firstInstalled(
        {u"AR PL UMing CN", u"AR PL UMing TW", u"Noto Serif CJK SC", u"WenQuanYi Micro Hei"});
    const QStringList hei =
        firstInstalled({u"WenQuanYi Micro Hei", u"Noto Sans CJK SC", u"AR PL UMing CN"});
    for (const char16_t *name : {u"宋体", u"SimSun", u"新宋体", u"NSimSun"})
        if (!song.isEmpty())
            QFont::insertSubstitutions(QString::fromUtf16(name), song);
    for (const char16_t *name : {u"黑体", u"SimHei"})
        if (!hei.isEmpty())
            QFont::insertSubstitutions(QString::fromUtf16(name), hei);
}

} // namespace host

#include "moc_Application.cpp"
