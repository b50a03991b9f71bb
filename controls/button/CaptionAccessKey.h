#pragma once

#include <QString>

namespace controls
{

// The access key a caption gives the button: the character after the first "&"; the first
// character when there is no "&"; none (empty) for an empty caption or one whose first "&"
// is its last character. "&&" at the start therefore gives "&".
QString captionAccessKey(const QString &caption);

} // namespace controls
