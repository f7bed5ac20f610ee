#pragma once

#include <QtGlobal>

namespace mirbelon {

class Context;

// The new measurement weighs four fifths, the stored value one fifth.
double Geglaettet(double messung, double alt);

// Counts "Performance"/"Messungen" and stores the smoothed files per minute
// ("AnzMin") and bytes per second ("BySec"). A run too short to be timed
// (0 ms) gives no measurement: the stored speeds stay as they are.
void GeschwindigkeitSpeichern(Context &ctx, quint32 millisekunden, double dateien, double bytes);

} // namespace mirbelon
