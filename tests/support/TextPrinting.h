#pragma once

#include <QString>

#include <ostream>

// Failed comparisons of texts show the texts, not their code units.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
