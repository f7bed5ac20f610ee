#include "archive/ZielName.h"

#include "frame/Context.h"
#include "frame/IniStore.h"
#include "source/Fenster.h"
#include "source/FotoDatum.h"
#include "source/FotoListe.h"
#include "text/Ersetzen.h"
#include "text/Pfad.h"
#include "text/Zahlen.h"

#include <array>
#include <utility>

namespace mirbelon {

namespace {

using Ersetzung = std::pair<const char *, const char *>;

// Order matters only for readers: a placeholder matches with its closing
// brace, so "{tt}" never eats the start of "{ttt}".
constexpr std::array<Ersetzung, 13> kDatumsPlatzhalter{{
    {"{jjjj}", "yyyy"}, {"{yyyy}", "yyyy"}, {"{jj}", "yy"},  {"{yy}", "yy"}, {"{q}", "q"},
    {"{mm}", "mm"},     {"{tt}", "dd"},     {"{dd}", "dd"},  {"{ttt}", "Ddd"},
    {"{ddd}", "Ddd"},   {"{hh}", "hh"},     {"{nn}", "nn"},  {"{ss}", "ss"},
}};

constexpr std::array<Ersetzung, 6> kZaehlerPlatzhalter{{
    {"{#######}", "0000000"}, {"{######}", "000000"}, {"{#####}", "00000"},
    {"{####}", "0000"},       {"{###}", "000"},       {"{##}", "00"},
}};

// What a date variable holds when nothing could be assigned to it.
QDateTime nullDatum()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

} // namespace

QString ZielNameAusMuster(const QString &muster, const QDateTime &datum, qint64 nummer,
                          const QString &endung)
{
    QString name = muster;
    for (const auto &[platzhalter, format] : kDatumsPlatzhalter) {
        name = Ersetzen(name, QLatin1String(platzhalter), FormatDatum(datum, QLatin1String(format)));
    }
    for (const auto &[platzhalter, format] : kZaehlerPlatzhalter) {
        name = Ersetzen(name, QLatin1String(platzhalter),
                        FormatZahl(static_cast<double>(nummer), QLatin1String(format)));
    }
    return name + QLatin1Char('.') + endung.toLower();
}

QString ZielNameFuer(Context &ctx, const FileRef &datei, const QString &muster, int offset)
{
    const double gespeichert =
        IniZaehler(ctx, ctx.einstellungsDatei, QStringLiteral("Mirbelon"), QStringLiteral("Nr3"), 0);
    const qint64 nummer = static_cast<qint64>(offset) + static_cast<qint64>(gespeichert);
    const QDateTime datum = Picture_DT(ctx, datei).value_or(nullDatum());
    return ZielNameAusMuster(muster, datum, nummer, PfadTeil(datei.path, 2));
}

QString ZielName(Context &ctx, const FotoListe &liste, const Fenster &fenster, int ZielCntOffSet)
{
    return ZielNameFuer(ctx, liste.aktuelleDatei(), fenster.zielMuster(), ZielCntOffSet);
}

QString NummerierterName(const QString &name, int nummer)
{
    const int schnitt = name.lastIndexOf(QLatin1Char('\\'));
    const QString ordner = name.left(schnitt + 1);
    const QString datei = name.mid(schnitt + 1);
    return ordner + PfadTeil(datei, 1) + QLatin1Char('-') + FormatZahl(nummer, QStringLiteral("00"))
           + QLatin1Char('.') + PfadTeil(datei, 2);
}

} // namespace mirbelon
