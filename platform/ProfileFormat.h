#pragma once

#include <QString>

#include <optional>

namespace mirbelon {

// The profile ("ini") format on decoded text, as the Windows profile
// functions treat it: names compared without regard to case, the first
// matching section and key win, a value is the rest of its line without
// surrounding blanks, lines without "=" are passed over.
namespace profile {

// The stored value, or nullopt when the section or key is missing.
std::optional<QString> read(const QString &content, const QString &section, const QString &key);

// The content with the key set: replaced in place, or appended at the end of
// its section, or in a new section at the end of the file. Comments and
// foreign lines are kept. Lines end in CRLF.
QString write(const QString &content, const QString &section, const QString &key,
              const QString &value);

// The default as the profile read hands it back: without trailing blanks.
QString fallback(const QString &value);

} // namespace profile
} // namespace mirbelon
