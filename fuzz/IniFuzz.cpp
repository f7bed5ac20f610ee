#include "fuzz/FuzzHilfe.h"

#include "platform/Cp1252.h"
#include "platform/ProfileFormat.h"

namespace {

using namespace mirbelon;

bool istBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\r' || u == '\n' || u == '\v' || u == '\f';
}

bool ohneRandBlanks(const QString &s)
{
    return s.isEmpty() || (!istBlank(s.front()) && !istBlank(s.back()));
}

bool ohneZeilenende(const QString &s)
{
    return !s.contains(QLatin1Char('\r')) && !s.contains(QLatin1Char('\n'));
}

// Names and values that the format can hold as they are: no line ends, no
// blanks at the edges, keys without "=" that cannot pass for a header or a
// comment, values not wrapped in quotation marks (the reader drops those).
bool sichererSchluessel(const QString &k)
{
    return !k.isEmpty() && ohneRandBlanks(k) && ohneZeilenende(k) && !k.contains(QLatin1Char('='))
        && !k.startsWith(QLatin1Char(';')) && !k.startsWith(QLatin1Char('['));
}

bool sichereSektion(const QString &s)
{
    return !s.isEmpty() && ohneRandBlanks(s) && ohneZeilenende(s);
}

bool sichererWert(const QString &w)
{
    const bool inAnfuehrung = w.size() >= 2
        && (w.front() == QLatin1Char('"') || w.front() == QLatin1Char('\'')) && w.back() == w.front();
    return ohneRandBlanks(w) && ohneZeilenende(w) && !inAnfuehrung;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> roh = fuzz::Felder(data, size, 5);

    // Every byte has a character, and each character its byte again.
    for (const QByteArray &feld : roh)
        FUZZ_PRUEFEN(toCp1252(fromCp1252(feld)) == feld);
    const QString utf8 = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray einmal = toCp1252(utf8);
    FUZZ_PRUEFEN(toCp1252(fromCp1252(einmal)) == einmal);

    const QString inhalt = fromCp1252(roh[0]);
    const QString sektion = fromCp1252(roh[1]);
    const QString schluessel = fromCp1252(roh[2]);
    const QString wert = fromCp1252(roh[3]);
    const QString anderer = fromCp1252(roh[4]);

    (void)profile::read(inhalt, sektion, schluessel);
    (void)profile::fallback(wert);
    const QString neu = profile::write(inhalt, sektion, schluessel, wert);

    if (sichereSektion(sektion) && sichererSchluessel(schluessel) && sichererWert(wert)) {
        FUZZ_PRUEFEN(profile::read(neu, sektion, schluessel) == std::optional<QString>(wert));
        // Writing one key leaves every other key of the file as it read before.
        if (sichererSchluessel(anderer) && anderer.compare(schluessel, Qt::CaseInsensitive) != 0) {
            FUZZ_PRUEFEN(profile::read(neu, sektion, anderer) == profile::read(inhalt, sektion, anderer));
            FUZZ_PRUEFEN(profile::read(neu, anderer, schluessel)
                             == profile::read(inhalt, anderer, schluessel)
                         || anderer.compare(sektion, Qt::CaseInsensitive) == 0);
        }
        // A second write of the same value changes nothing more.
        FUZZ_PRUEFEN(profile::write(neu, sektion, schluessel, wert) == neu);
    }
    return 0;
}
