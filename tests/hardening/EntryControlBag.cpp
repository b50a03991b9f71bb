#include "FuzzEntries.h"

#include "PropertyBag.h"
#include "RuntimeError.h"
#include "ucButton.h"
#include "ucProgress.h"

#include <QJsonDocument>

#include <memory>

namespace fuzzing {

namespace {

host::Ambient ambient()
{
    host::Ambient a;
    a.displayName = QStringLiteral("ucButton1");
    return a;
}

// Loads the bag into a new control the size of the window's first button. A bag the
// control cannot take raises a run-time error; one it took, it saves, and the saved bag
// loads into another control that saves the same bag again.
template <typename Control> void loadSaveLoad(const host::PropertyBag &bag)
{
    auto first = std::make_unique<Control>();
    first->resize(41, 25);
    try {
        first->load(bag, ambient());
    } catch (const host::RuntimeError &) {
        return;
    }
    const QJsonObject saved = first->save().toJson();
    auto second = std::make_unique<Control>();
    second->resize(41, 25);
    second->load(host::PropertyBag::fromJson(saved), ambient());
    require(second->save().toJson() == saved, "a control loads what it saved");
}

} // namespace

// A property bag from any JSON text, loaded into the button and the progress bar.
void controlBag(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QJsonDocument document = QJsonDocument::fromJson(text);
    if (!document.isObject())
        return;
    host::PropertyBag bag;
    try {
        bag = host::PropertyBag::fromJson(document.object());
    } catch (const host::RuntimeError &) {
        return;
    }
    loadSaveLoad<controls::ucButton>(bag);
    loadSaveLoad<controls::ucProgress>(bag);
}

} // namespace fuzzing
