#pragma once

#include "platform/FileSystem.h"

#include <QDateTime>
#include <QString>

namespace mirbelon {

class Context;
class Fenster;
class FotoListe;

// The target name from a pattern: the thirteen date placeholders, then the
// six counter placeholders ("{##}" to "{#######}"), each case-insensitive,
// then "." and `endung` in lower case. Other text stays as typed.
QString ZielNameAusMuster(const QString &muster, const QDateTime &datum, qint64 nummer,
                          const QString &endung);

// The target name of one photo file with the pattern `muster`: running
// number "Nr3" of the settings file plus `offset`, date from Picture_DT.
// A date that cannot be read gives the zero date 30.12.1899 00:00:00.
QString ZielNameFuer(Context &ctx, const FileRef &datei, const QString &muster, int offset);

// The target name of the current entry of the list, with the pattern of
// txtZiel; relative to the target folder. Never fails.
QString ZielName(Context &ctx, const FotoListe &liste, const Fenster &fenster, int ZielCntOffSet);

// `name` with "-" and `nummer` ("00", three digits from 100 on) before its
// extension, in the folder `name` points into ("a\b.jpg", 1 -> "a\b-01.jpg").
QString NummerierterName(const QString &name, int nummer);

} // namespace mirbelon
