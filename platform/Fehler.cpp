#include "platform/Fehler.h"

#include <cerrno>

namespace mirbelon {

QString FehlerStandardText(int nummer)
{
    switch (nummer) {
    case 5: return QStringLiteral("Unzulässiger Prozeduraufruf oder ungültiges Argument");
    case 6: return QStringLiteral("Überlauf");
    case 52: return QStringLiteral("Dateiname oder -nummer falsch");
    case 53: return QStringLiteral("Datei nicht gefunden");
    case 55: return QStringLiteral("Datei bereits geöffnet");
    case 57: return QStringLiteral("Geräte-E/A-Fehler");
    case 58: return QStringLiteral("Datei existiert bereits");
    case 61: return QStringLiteral("Datenträger voll");
    case 68: return QStringLiteral("Gerät nicht verfügbar");
    case 70: return QStringLiteral("Zugriff verweigert");
    case 71: return QStringLiteral("Datenträger nicht bereit");
    case 75: return QStringLiteral("Fehler beim Zugriff auf Pfad/Datei");
    case 76: return QStringLiteral("Pfad nicht gefunden");
    default: return QString();
    }
}

Fehler FehlerAusNummer(int nummer, const QString &quelle)
{
    return Fehler{nummer, FehlerStandardText(nummer), quelle};
}

int FehlerNummerAusErrno(int errnoWert, bool ordnerFehlt)
{
    switch (errnoWert) {
    case ENOENT: return ordnerFehlt ? 76 : 53;
    case ENOTDIR: return 76;
    case EACCES:
    case EPERM:
    case EROFS: return 70;
    case ENOSPC:
    case EDQUOT: return 61;
    case EEXIST: return 58;
    case EIO: return 57;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return 71;
    case EISDIR: return 75;
    default: return 75;
    }
}

} // namespace mirbelon
