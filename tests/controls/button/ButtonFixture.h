#pragma once

#include "ucButtonTestAccess.h"

#include "PropertyBagCodecs.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << text.toStdString();
}

// A button placed on a container, sized and shown, with the names it marks changed.
class ButtonFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host::registerPropertyBagCodecs(); }

    static host::Ambient ambientNamed(const QString &name, const QFont &font = containerFont())
    {
        host::Ambient ambient;
        ambient.displayName = name;
        ambient.font = font;
        ambient.backColor = host::kButtonFace;
        return ambient;
    }

    static QFont containerFont()
    {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(8);
        return font;
    }

    // A control of 41 x 25 pixels (the main window's first button) created new.
    void createButton(const host::Ambient &ambient = ambientNamed(QStringLiteral("ucButton1")))
    {
        makeWidget();
        button->createNew(ambient);
        showButton();
    }

    void loadButton(const host::PropertyBag &bag,
                    const host::Ambient &ambient = ambientNamed(QStringLiteral("ucButton1")))
    {
        makeWidget();
        button->load(bag, ambient);
        showButton();
    }

    std::unique_ptr<WatchedButton> button;
    QStringList marked;

private:
    void makeWidget()
    {
        marked.clear();
        button = std::make_unique<WatchedButton>();
        button->resize(41, 25);
        QObject::connect(button.get(), &host::UserControl::propertyChanged,
                         [this](const QString &name) { marked << name; });
    }
    void showButton()
    {
        button->show();
        marked.clear();
    }
};
