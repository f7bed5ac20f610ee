#pragma once

namespace mirbelon {

// The release in the maker's numbering, kept equal to project(... VERSION) of
// the top CMakeLists.txt: major = year (two digits allowed), minor = month.
inline constexpr int kVersionMajor = 26;
inline constexpr int kVersionMinor = 12;

} // namespace mirbelon
