#pragma once

namespace mirbelon {

class Context;

// The letter each medium keeps, in section "Laufwerke" of the settings file:
// one key per letter D to Y, its value what the medium is known by
// ("E=uuid:3a1f-0c22", "F=label:EOS_DIGITAL").

// Hands the kept letters to the file system, which letters the media
// mounted now by them, and reads the command line's host paths again.
void BuchstabenLaden(Context &ctx);

// Writes the letters that changed since they were loaded or written.
void BuchstabenSichern(Context &ctx);

} // namespace mirbelon
