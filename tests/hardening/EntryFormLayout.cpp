#include "FuzzEntries.h"

#include "FormLayout.h"
#include "RuntimeError.h"

namespace fuzzing {

// A stored layout from any bytes: read, or refused with a run-time error; every control
// read has a name and a kind, can be found by its name, and its bag reads back what it
// writes.
void formLayout(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    host::FormRecord form;
    try {
        form = host::readFormLayout(text);
    } catch (const host::RuntimeError &error) {
        // 13 for a text that is no layout or a font without its form, 380 for a font size
        // out of range, 481 for a broken picture.
        require(error.number() == host::RuntimeError::TypeMismatch ||
                    error.number() == host::RuntimeError::InvalidPropertyValue ||
                    error.number() == host::RuntimeError::InvalidPicture,
                "a text that is no layout raises 13, 380 or 481");
        return;
    }
    for (const host::ControlRecord &control : form.controls) {
        require(!control.name.isEmpty() && !control.kind.isEmpty(), "controls have name and kind");
        const host::ControlRecord *found = form.find(control.name);
        require(found && found->name == control.name, "a control is found by its name");
        const QJsonObject written = control.bag.toJson();
        require(host::PropertyBag::fromJson(written).toJson() == written,
                "a control's bag reads back what it wrote");
    }
}

} // namespace fuzzing
