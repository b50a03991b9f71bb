#include "RuntimeError.h"

namespace host {

RuntimeError::RuntimeError(int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

} // namespace host
