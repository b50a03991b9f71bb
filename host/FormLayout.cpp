#include "FormLayout.h"

#include "RuntimeError.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace host {

const ControlRecord *FormRecord::find(const QString &controlName) const
{
    for (const auto &control : controls)
        if (control.name == controlName)
            return &control;
    return nullptr;
}

FormRecord readFormLayout(const QByteArray &json)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull() || !document.isObject())
        throw RuntimeError(RuntimeError::TypeMismatch,
                           QStringLiteral("Stored layout is not readable: %1").arg(error.errorString()));
    const QJsonObject root = document.object();
    FormRecord form;
    form.name = root.value(u"name").toString();
    form.caption = root.value(u"caption").toString();
    form.clientWidth = root.value(u"clientWidth").toInt();
    form.clientHeight = root.value(u"clientHeight").toInt();
    form.settings = root.value(u"settings").toObject();
    for (const QJsonValue &value : root.value(u"controls").toArray()) {
        const QJsonObject object = value.toObject();
        ControlRecord control;
        control.name = object.value(u"name").toString();
        control.kind = object.value(u"kind").toString();
        control.container = object.value(u"container").toString();
        control.left = object.value(u"left").toInt();
        control.top = object.value(u"top").toInt();
        control.width = object.value(u"width").toInt();
        control.height = object.value(u"height").toInt();
        control.tabIndex = object.value(u"tabIndex").toInt(-1);
        control.settings = object.value(u"settings").toObject();
        control.bag = PropertyBag::fromJson(object.value(u"bag").toObject());
        if (control.name.isEmpty() || control.kind.isEmpty())
            throw RuntimeError(RuntimeError::TypeMismatch,
                               QStringLiteral("Stored layout has a control without name or kind"));
        form.controls.push_back(std::move(control));
    }
    return form;
}

FormRecord readFormLayoutFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(RuntimeError::FileNotFound,
                           QStringLiteral("Stored layout not found: %1").arg(path));
    return readFormLayout(file.readAll());
}

} // namespace host
