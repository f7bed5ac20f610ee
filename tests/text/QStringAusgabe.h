#pragma once

#include <QString>

#include <ostream>

// Lets failing comparisons show texts instead of bytes.
inline void PrintTo(const QString &text, std::ostream *aus)
{
    *aus << '"' << text.toStdString() << '"';
}
