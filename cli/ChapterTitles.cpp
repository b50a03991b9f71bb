#include "ChapterTitles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace cli {

namespace {

// The titles are the items of the list `List1` in the window's stored layout, which this
// library carries as a resource of its own so that it needs no window code.
QStringList readTitles()
{
    QFile file(QStringLiteral(":/tarvos-cli/frmMap.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonArray controls = QJsonDocument::fromJson(file.readAll())
                                    .object()
                                    .value(QLatin1StringView("controls"))
                                    .toArray();
    QStringList titles;
    for (const QJsonValue &control : controls) {
        const QJsonObject record = control.toObject();
        if (record.value(QLatin1StringView("name")).toString() != u"List1")
            continue;
        const QJsonArray items = record.value(QLatin1StringView("settings"))
                                     .toObject()
                                     .value(QLatin1StringView("items"))
                                     .toArray();
        for (const QJsonValue &item : items)
            titles.append(item.toString().trimmed());
    }
    return titles;
}

} // namespace

QString chapterTitle(int chapter)
{
    static const QStringList titles = readTitles();
    if (chapter < 1 || chapter > titles.size())
        return {};
    return titles.at(chapter - 1);
}

} // namespace cli
