#include "FormBuilder.h"

#include "FontDensity.h"
#include "ImageControl.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "RuntimeError.h"
#include "Shape.h"
#include "Twips.h"

#include <QJsonArray>
#include <QLabel>

namespace host {

namespace {

// Controls inside a picture box are placed relative to its inner area, one pixel in.
int containerInset(QWidget *parent)
{
    return qobject_cast<PictureBox *>(parent) ? 1 : 0;
}

QRect pixelGeometry(const ControlRecord &record, QWidget *parent)
{
    const int inset = containerInset(parent);
    return {twipsToPixels(record.left) + inset, twipsToPixels(record.top) + inset,
            twipsToPixels(record.width), twipsToPixels(record.height)};
}

QLabel *makeLabel(const ControlRecord &record, QWidget *parent)
{
    auto *label = new QLabel(parent);
    const QJsonObject &s = record.settings;
    label->setText(s.value(u"caption").toString());
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (s.contains(u"font"))
        label->setFont(settingFont(s.value(u"font").toObject(), label->font()));
    if (s.contains(u"foreColor")) {
        QPalette palette = label->palette();
        palette.setColor(
            QPalette::WindowText,
            QColor::fromRgb(toQRgb(translateOrBlack(settingColor(s.value(u"foreColor"), 0)))));
        label->setPalette(palette);
    }
    label->setGeometry(pixelGeometry(record, parent));
    if (s.value(u"autoSize").toBool())
        label->adjustSize();
    return label;
}

ListBox *makeListBox(const ControlRecord &record, QWidget *parent)
{
    auto *list = new ListBox(parent);
    list->setFrameShape(QFrame::Box);
    for (const QJsonValue &item : record.settings.value(u"items").toArray())
        list->addItem(item.toString());
    list->setEnabled(record.settings.value(u"enabled").toBool(true));
    list->setGeometry(pixelGeometry(record, parent));
    return list;
}

PictureBox *makePictureBox(const ControlRecord &record, QWidget *parent)
{
    auto *box = new PictureBox(parent);
    box->setGeometry(pixelGeometry(record, parent));
    box->setBackColor(settingColor(record.settings.value(u"backColor"), RGB(255, 255, 255)));
    box->setAutoRedraw(record.settings.value(u"autoRedraw").toBool());
    return box;
}

ImageControl *makeImage(const ControlRecord &record, QWidget *parent)
{
    auto *image = new ImageControl(parent);
    image->setBorder(record.settings.value(u"border").toBool());
    image->setGeometry(pixelGeometry(record, parent));
    return image;
}

Shape *makeShape(const ControlRecord &record, QWidget *parent)
{
    auto *shape = new Shape(parent);
    shape->resize(twipsToPixels(record.width), twipsToPixels(record.height));
    shape->setLeft(record.left);
    shape->setTop(record.top);
    shape->setBorderWidth(record.settings.value(u"borderWidth").toInt(1));
    shape->setBorderColor(settingColor(record.settings.value(u"borderColor"), 0));
    return shape;
}

} // namespace

OleColor settingColor(const QJsonValue &value, OleColor fallback)
{
    if (value.isUndefined() || value.isNull())
        return fallback;
    return static_cast<OleColor>(toLong(value.toVariant()));
}

QFont settingFont(const QJsonObject &font, const QFont &base)
{
    QFont result = base;
    if (font.contains(u"name"))
        result.setFamily(font.value(u"name").toString());
    if (font.contains(u"size"))
        result.setPointSizeF(displayPointSize(font.value(u"size").toDouble()));
    result.setBold(font.value(u"bold").toBool());
    result.setItalic(font.value(u"italic").toBool());
    result.setUnderline(font.value(u"underline").toBool());
    result.setStrikeOut(font.value(u"strikethrough").toBool());
    return result;
}

void FormBuilder::registerUserControl(const QString &kind, UserControlFactory factory)
{
    m_factories.insert(kind, std::move(factory));
}

QHash<QString, QWidget *> FormBuilder::build(const FormRecord &layout, QWidget *form) const
{
    QHash<QString, QWidget *> controls;
    for (const ControlRecord &record : layout.controls) {
        QWidget *parent = record.container.isEmpty() ? form : controls.value(record.container);
        if (!parent)
            throw RuntimeError(RuntimeError::TypeMismatch,
                               QStringLiteral("Stored layout: %1 lies in unknown container %2")
                                   .arg(record.name, record.container));
        QWidget *widget = create(record, parent, layout);
        widget->setObjectName(record.name);
        // Later controls of the list lie above earlier ones.
        widget->raise();
        widget->setFocusPolicy(record.tabIndex >= 0 ? widget->focusPolicy() : Qt::NoFocus);
        controls.insert(record.name, widget);
    }
    return controls;
}

QWidget *FormBuilder::create(const ControlRecord &record, QWidget *parent,
                             const FormRecord &layout) const
{
    if (record.kind == u"Label")
        return makeLabel(record, parent);
    if (record.kind == u"ListBox")
        return makeListBox(record, parent);
    if (record.kind == u"PictureBox")
        return makePictureBox(record, parent);
    if (record.kind == u"Image")
        return makeImage(record, parent);
    if (record.kind == u"Shape")
        return makeShape(record, parent);
    const auto factory = m_factories.constFind(record.kind);
    if (factory == m_factories.constEnd())
        throw RuntimeError(
            RuntimeError::TypeMismatch,
            QStringLiteral("Stored layout: unknown control kind %1").arg(record.kind));
    UserControl *control = (*factory)(parent);
    control->setGeometry(pixelGeometry(record, parent));
    Ambient ambient;
    ambient.displayName = record.name;
    ambient.font = parent->font();
    ambient.backColor = settingColor(layout.settings.value(u"backColor"), kButtonFace);
    control->load(record.bag, ambient);
    return control;
}

} // namespace host
