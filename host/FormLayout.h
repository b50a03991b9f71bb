#pragma once

#include "PropertyBag.h"

#include <QJsonObject>
#include <QString>

#include <vector>

namespace host {

// A window's stored layout: every control with its kind, container, place and size (in
// twips, relative to the container's inner area), its design-time settings and, for user
// controls, the property bag they load from. Controls are listed in stacking order.
struct ControlRecord {
    QString name;
    QString kind;      // "PictureBox", "Label", "ListBox", "Image", "Shape", or a user control class
    QString container; // empty for the window itself
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tabIndex = -1; // -1: takes no focus
    QJsonObject settings;
    PropertyBag bag;
};

struct FormRecord {
    QString name;
    QString caption;
    int clientWidth = 0;  // twips
    int clientHeight = 0; // twips
    QJsonObject settings;
    std::vector<ControlRecord> controls;

    const ControlRecord *find(const QString &controlName) const;
};

// Reads a stored layout; raises RuntimeError when the text is not a layout.
FormRecord readFormLayout(const QByteArray &json);
FormRecord readFormLayoutFile(const QString &path);

} // namespace host
