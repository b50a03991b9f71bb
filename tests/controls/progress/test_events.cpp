#include "ProgressFixture.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <vector>

using namespace progress_test;

namespace {

struct Raised {
    QString name;
    short button;
    short shift;
    float x;
    float y;
    bool operator==(const Raised &) const = default;
};

void PrintTo(const Raised &r, std::ostream *os)
{
    *os << r.name.toStdString() << '(' << r.button << ", " << r.shift << ", " << r.x << ", " << r.y
        << ')';
}

void send(QWidget *target, QEvent::Type type, QPointF pos, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, modifiers);
    QCoreApplication::sendEvent(target, &event);
}

class ProgressEventsTest : public ProgressTest {
protected:
    ProgressEventsTest()
    {
        auto record = [this](const QString &name) {
            return [this, name](short &Button, short &Shift, float &x, float &y) {
                m_raised.push_back({name, Button, Shift, x, y});
            };
        };
        QObject::connect(pb, &controls::ucProgress::MouseDown, pb,
                         record(QStringLiteral("MouseDown")));
        QObject::connect(pb, &controls::ucProgress::MouseMove, pb,
                         record(QStringLiteral("MouseMove")));
        QObject::connect(pb, &controls::ucProgress::MouseUp, pb, record(QStringLiteral("MouseUp")));
        QObject::connect(pb, &controls::ucProgress::Click, pb, [this] {
            m_raised.push_back({QStringLiteral("Click"), 0, 0, 0, 0});
        });
    }

    std::vector<Raised> m_raised;
};

// Positions are pixels of the inner area, inside the two-pixel sunken edge.
TEST_F(ProgressEventsTest, MouseEventsInInnerPixelsThenClick)
{
    makeBar(100, 10, 2);
    send(pb, QEvent::MouseButtonPress, {12, 7}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    send(pb, QEvent::MouseMove, {30.5, 4}, Qt::NoButton, Qt::LeftButton | Qt::RightButton,
         Qt::ControlModifier | Qt::AltModifier);
    send(pb, QEvent::MouseButtonRelease, {40, 5}, Qt::RightButton, Qt::NoButton);
    const std::vector<Raised> expected = {
        {QStringLiteral("MouseDown"), 1, 1, 10.0F, 5.0F},
        {QStringLiteral("MouseMove"), 3, 6, 28.5F, 2.0F},
        {QStringLiteral("MouseUp"), 2, 0, 38.0F, 3.0F},
        {QStringLiteral("Click"), 0, 0, 0.0F, 0.0F},
    };
    EXPECT_EQ(m_raised, expected);
}

// Side buttons are not reported, and their release inside clicks nothing.
TEST_F(ProgressEventsTest, SideButtonsRaiseNothing)
{
    makeBar(100, 10, 2);
    for (const Qt::MouseButton side : {Qt::BackButton, Qt::ForwardButton}) {
        send(pb, QEvent::MouseButtonPress, {12, 7}, side, side);
        send(pb, QEvent::MouseButtonRelease, {12, 7}, side, Qt::NoButton);
    }
    EXPECT_TRUE(m_raised.empty());
}

// The arguments travel by reference: a handler's change reaches the handlers after it.
TEST_F(ProgressTest, HandlersMayChangeTheArguments)
{
    makeBar(100, 10, 0);
    QObject::connect(pb, &controls::ucProgress::MouseDown, pb,
                     [](short &Button, short &Shift, float &x, float &y) {
                         Button = 2;
                         Shift = 4;
                         x += 100.0F;
                         y = -1.0F;
                     });
    std::vector<float> seen;
    QObject::connect(pb, &controls::ucProgress::MouseDown, pb,
                     [&seen](short &Button, short &Shift, float &x, float &y) {
                         seen = {float(Button), float(Shift), x, y};
                     });
    send(pb, QEvent::MouseButtonPress, {3, 4}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<float>{2.0F, 4.0F, 103.0F, -1.0F}));
}

} // namespace
