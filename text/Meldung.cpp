#include "text/Meldung.h"

#include "text/Ersetzen.h"
#include "text/Zahlen.h"

namespace mirbelon {

namespace {

const QChar kAuf(0x00BB); // »
const QChar kZu(0x00AB); // «
const QChar kAkut(0x00B4); // ´
const QChar kGravis(0x0060); // `

const QString kZeilenumbruch = QStringLiteral("\r\n");

void AkutePaaren(QString &text)
{
    bool offen = false;
    for (QChar &c : text) {
        if (c == kAkut) {
            c = offen ? kZu : kAuf;
            offen = !offen;
        }
    }
}

// A grave accent pairs only with one on the same line; a lone one stays.
void GraviePaaren(QString &text)
{
    qsizetype offen = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            offen = -1;
        } else if (c == kGravis) {
            if (offen < 0) {
                offen = i;
            } else {
                text[offen] = kAuf;
                text[i] = kZu;
                offen = -1;
            }
        }
    }
}

} // namespace

QString MeldungsText(const QString &text, const QDate &heute)
{
    qsizetype anfang = 0;
    while (anfang < text.size() && text.at(anfang) == QLatin1Char(' '))
        ++anfang;
    QString t = text.mid(anfang);
    if (t.isEmpty())
        return t;

    t = Ersetzen(t, QStringLiteral("~"), kZeilenumbruch);
    t = Ersetzen(t, QStringLiteral("^t"), QStringLiteral("\t"));
    t = Ersetzen(t, QStringLiteral("{datum}"),
        FormatDatum(QDateTime(heute, QTime(0, 0)), QStringLiteral("dd.mm.yyyy")));
    t = Ersetzen(t, QLatin1Char(' ') + kZeilenumbruch, kZeilenumbruch);
    AkutePaaren(t);
    GraviePaaren(t);

    const QString drei = kZeilenumbruch + kZeilenumbruch + kZeilenumbruch;
    const QString zwei = kZeilenumbruch + kZeilenumbruch;
    for (int runde = 0; runde < 256 && t.contains(drei); ++runde)
        t = Ersetzen(t, drei, zwei);
    return t;
}

} // namespace mirbelon
