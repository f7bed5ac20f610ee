#pragma once

namespace mirbelon {

// True only in a developer's run (the environment variable
// MIRBELON_ENTWICKLUNGSLAUF set to 1 by the developer's run configuration);
// decided on the first call and kept for the run. Routines trap their own
// errors only while this is false.
bool Entwicklungslauf();

} // namespace mirbelon
