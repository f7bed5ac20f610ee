#include "services/VarioKontext.h"

#include "frame/Context.h"
#include "frame/GrossKlein.h"
#include "frame/IniStore.h"
#include "services/Benutzer.h"
#include "text/Pfad.h"

#include <QRandomGenerator>

namespace mirbelon {

namespace {
// One generator for the whole program, started from the system's entropy so
// runs differ; "{$" re-seeds it from the time of day.
QRandomGenerator &Zufallsgenerator()
{
    static QRandomGenerator generator(QRandomGenerator::system()->generate());
    return generator;
}

bool Passt(QStringView name, QStringView muster)
{
    while (!muster.isEmpty()) {
        const QChar zeichen = muster.front();
        if (zeichen == QLatin1Char('*')) {
            const QStringView rest = muster.mid(1);
            for (qsizetype ab = 0; ab <= name.size(); ++ab) {
                if (Passt(name.mid(ab), rest))
                    return true;
            }
            return false;
        }
        if (name.isEmpty())
            return false;
        if (zeichen != QLatin1Char('?') && zeichen.toCaseFolded() != name.front().toCaseFolded())
            return false;
        name = name.mid(1);
        muster = muster.mid(1);
    }
    return name.isEmpty();
}
} // namespace

bool NamePasst(const QString &name, const QString &muster)
{
    if (muster == QLatin1String("*.*"))
        return true;
    // Runs of "*" match as one; this keeps the search linear in the pattern.
    QString einfach;
    for (const QChar zeichen : muster) {
        if (zeichen != QLatin1Char('*') || !einfach.endsWith(QLatin1Char('*')))
            einfach += zeichen;
    }
    return Passt(name, einfach);
}

QDateTime VarioKontext::jetzt()
{
    return m_ctx.host.system.now();
}

quint32 VarioKontext::tickCount()
{
    return m_ctx.host.system.tickCount();
}

QString VarioKontext::iniLesen(
    const QString &datei, const QString &sektion, const QString &schluessel, const QString &vorgabe)
{
    return IniLesen(m_ctx, datei, sektion, schluessel, vorgabe);
}

void VarioKontext::iniSchreiben(
    const QString &datei, const QString &sektion, const QString &schluessel, const QString &wert)
{
    IniSchreiben(m_ctx, datei, sektion, schluessel, wert);
}

double VarioKontext::iniZaehler(
    const QString &datei, const QString &sektion, const QString &schluessel, double schritt)
{
    return IniZaehler(m_ctx, datei, sektion, schluessel, schritt);
}

QString VarioKontext::benutzername()
{
    return Benutzername(m_ctx);
}

QString VarioKontext::neueGuid()
{
    return m_ctx.host.system.newGuid();
}

double VarioKontext::zufall()
{
    return Zufallsgenerator().generateDouble();
}

void VarioKontext::zufallNeuSaeen()
{
    Zufallsgenerator().seed(quint32(m_ctx.host.system.now().time().msecsSinceStartOfDay()));
}

QString VarioKontext::aktuellerOrdner()
{
    return m_ctx.host.system.currentFolder();
}

QString VarioKontext::laufwerksBezeichnung(const QString &laufwerk)
{
    return m_ctx.host.files.volumeLabel(laufwerk);
}

QString VarioKontext::ordnerPrg()
{
    return m_ctx.ordner.prg;
}

QString VarioKontext::ordnerDat()
{
    return m_ctx.ordner.dat;
}

QString VarioKontext::ordnerBrenlo()
{
    return m_ctx.ordner.brenlo;
}

QString VarioKontext::ordnerWin()
{
    return m_ctx.host.system.windowsFolder();
}

QString VarioKontext::ordnerSys()
{
    return m_ctx.host.system.systemFolder();
}

QString VarioKontext::grossKlein(const QString &text)
{
    return GrossKlein(m_ctx, text);
}

QStringList VarioKontext::dateienSuchen(const QString &muster)
{
    QString ordner = PfadTeil(muster, -1);
    // A bare name pattern searches the current folder, as the host would.
    if (ordner.isEmpty())
        ordner = aktuellerOrdner();
    const QString name = PfadTeil(muster, 3);
    QStringList namen;
    const std::optional<QList<DirEntry>> eintraege = m_ctx.host.files.list(ordner);
    if (!eintraege || name.isEmpty())
        return namen;
    for (const DirEntry &eintrag : *eintraege) {
        if (!eintrag.isFolder && NamePasst(eintrag.name, name))
            namen.append(eintrag.name);
    }
    return namen;
}

QString VarioKontext::umgebung(const QString &name)
{
    return m_ctx.host.system.env(name);
}

} // namespace mirbelon
