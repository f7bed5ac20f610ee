#include "archive/Quittung.h"

#include "archive/ZielName.h"

namespace mirbelon {

QString QuittungsZeile(const Hash128 &hash, const QString &relativ)
{
    // The canonical form of XXH128: the high half first, big-endian.
    QString hex = QStringLiteral("%1%2")
                      .arg(hash.high, 16, 16, QLatin1Char('0'))
                      .arg(hash.low, 16, 16, QLatin1Char('0'));
    return hex + QStringLiteral("  ") + QString(relativ).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString QuittungsName(const QDateTime &beginn, bool vollstaendig)
{
    return QStringLiteral("Mirbelon-") + beginn.toString(QStringLiteral("yyyyMMdd-HHmmss"))
           + (vollstaendig ? QString() : QStringLiteral("-unvollstaendig")) + QStringLiteral(".xxh128");
}

void Quittung::eintragen(const Hash128 &hash, const QString &relativ)
{
    m_zeilen << QuittungsZeile(hash, relativ);
}

Fehler Quittung::schreiben(FileSystem &files, const QString &ordner, const QDateTime &beginn,
                           bool vollstaendig) const
{
    const QString name = QuittungsName(beginn, vollstaendig);
    QString pfad = ordner + QLatin1Char('\\') + name;
    for (int nummer = 1; files.exists(pfad) && nummer < 100; ++nummer)
        pfad = ordner + QLatin1Char('\\') + NummerierterName(name, nummer);
    return files.writeAtomic(pfad, (m_zeilen.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

} // namespace mirbelon
