#pragma once

#include "FormLayout.h"
#include "UserControl.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <functional>

namespace host {

// Builds a window's controls from its stored layout: standard controls from their
// settings, user controls through their ReadProperties hook from their bags. User control
// classes are made by factories registered under their class names.
class FormBuilder {
public:
    using UserControlFactory = std::function<UserControl *(QWidget *parent)>;

    void registerUserControl(const QString &kind, UserControlFactory factory);

    // Creates every control of the layout inside `form` (whose client area the layout's
    // coordinates refer to) and returns them by name. Raises RuntimeError for an unknown kind.
    QHash<QString, QWidget *> build(const FormRecord &layout, QWidget *form) const;

private:
    QWidget *create(const ControlRecord &record, QWidget *parent,
                    const FormRecord &layout) const;

    QHash<QString, UserControlFactory> m_factories;
};

// A setting of the layout read as an OLE colour: a number or a "&H...&" literal.
OleColor settingColor(const QJsonValue &value, OleColor fallback);
// A font from the layout's font setting, on top of a base font.
QFont settingFont(const QJsonObject &font, const QFont &base);

} // namespace host
