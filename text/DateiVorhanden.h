#pragma once

#include <QString>

namespace mirbelon {

class FileSystem;

// True when the file exists and can be opened for reading; false at once for
// an empty path or one with "*" or "?". Never writes or creates anything.
bool DateiVorhanden(const FileSystem &files, const QString &pfad);

// "*" or "?" in a path would make the host match some other file.
bool HatJoker(const QString &pfad);

// True when the folder holds a file that is neither a folder nor hidden, as a
// listing with "*.*" would show it.
bool HatNormaleDatei(const FileSystem &files, const QString &ordner);

} // namespace mirbelon
