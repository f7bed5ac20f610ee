#include "archive/Sicherungen.h"

#include "frame/Context.h"
#include "frame/IniStore.h"

#include <QCryptographicHash>

namespace mirbelon {

namespace {

const QString kSicherungen = QStringLiteral("Sicherheitskopien");
const QChar kTrenner = QLatin1Char('|');

// Names may hold characters that an ini key cannot, so the key is a hash of
// the name and the value the name itself, with what identifies its file.
QString Schluessel(const QString &name)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(name.toLower().toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString Wert(const Sicherung &s)
{
    if (s.bytes < 0)
        return s.name;
    return s.name + kTrenner + QString::number(s.bytes) + kTrenner + QString::number(s.inode)
           + kTrenner + QString::number(s.hash.high, 16) + QLatin1Char('.')
           + QString::number(s.hash.low, 16);
}

// A name may hold "|" itself: only three fields that parse at the end count.
Sicherung Gelesen(const QString &wert)
{
    Sicherung s;
    s.name = wert;
    const QStringList teile = wert.split(kTrenner);
    if (teile.size() < 4)
        return s;
    const QStringList hash = teile.last().split(QLatin1Char('.'));
    bool a = false, b = false, c = false, d = false;
    const qint64 bytes = teile.at(teile.size() - 3).toLongLong(&a);
    const quint64 inode = teile.at(teile.size() - 2).toULongLong(&b);
    if (hash.size() != 2)
        return s;
    const quint64 high = hash.at(0).toULongLong(&c, 16);
    const quint64 low = hash.at(1).toULongLong(&d, 16);
    if (!a || !b || !c || !d || bytes < 0)
        return s;
    s.name = teile.mid(0, teile.size() - 3).join(kTrenner);
    s.bytes = bytes;
    s.inode = inode;
    s.hash = Hash128{low, high};
    return s;
}

// Several writes as one; false when one of them was not made.
template<typename Schreiben>
bool AlsEinSchreiben(Context &ctx, Schreiben schreiben)
{
    ctx.host.profiles.beginBatch();
    const bool alle = schreiben();
    return ctx.host.profiles.endBatch() && alle;
}

} // namespace

QString SicherungsIni(const Context &ctx)
{
    return ctx.ordner.tmp + QStringLiteral("\\BrenloTemp.ini");
}

bool SicherungenMerken(Context &ctx, const QStringList &namen)
{
    return AlsEinSchreiben(ctx, [&] {
        bool ok = true;
        for (const QString &name : namen) {
            bool geschrieben = false;
            IniSchreiben(ctx, SicherungsIni(ctx), kSicherungen, Schluessel(name), name, &geschrieben);
            ok = ok && geschrieben;
        }
        return ok;
    });
}

void SicherungenKennen(Context &ctx, const QList<Sicherung> &sicherungen)
{
    AlsEinSchreiben(ctx, [&] {
        for (const Sicherung &s : sicherungen)
            IniSchreiben(ctx, SicherungsIni(ctx), kSicherungen, Schluessel(s.name), Wert(s));
        return true;
    });
}

void SicherungenVergessen(Context &ctx, const QStringList &namen)
{
    AlsEinSchreiben(ctx, [&] {
        for (const QString &name : namen)
            IniSchreiben(ctx, SicherungsIni(ctx), kSicherungen, Schluessel(name), {});
        return true;
    });
}

std::optional<Sicherung> GemerkteSicherung(Context &ctx, const QString &name)
{
    const QString wert = IniLesen(ctx, SicherungsIni(ctx), kSicherungen, Schluessel(name), {});
    if (wert.isEmpty())
        return std::nullopt;
    const Sicherung s = Gelesen(wert);
    if (s.name != name)
        return std::nullopt;
    return s;
}

} // namespace mirbelon
