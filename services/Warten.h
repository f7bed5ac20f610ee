#pragma once

namespace mirbelon {

class Context;

// Pauses at least `sekunden` (negative counts as 0) while window events keep
// running; even 0 seconds lasts one pass of about 100 ms.
void Warten(Context &ctx, double sekunden);

} // namespace mirbelon
