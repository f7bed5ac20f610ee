#include "platform/gphoto/KameraOrte.h"

namespace mirbelon {

QByteArray KameraOrt::host() const
{
    return "gphoto2:" + QByteArray::number(nummer) + ':' + pfad;
}

QByteArray KameraOrt::ordner() const
{
    const qsizetype schnitt = pfad.lastIndexOf('/');
    return schnitt <= 0 ? QByteArray("/") : pfad.left(schnitt);
}

QByteArray KameraOrt::name() const
{
    return pfad.mid(pfad.lastIndexOf('/') + 1);
}

KameraOrt KameraOrt::darin(const QByteArray &name) const
{
    KameraOrt kind = *this;
    kind.pfad = pfad.endsWith('/') ? pfad + name : pfad + '/' + name;
    return kind;
}

KameraOrt KameraOrt::oben() const
{
    KameraOrt o = *this;
    o.pfad = ordner();
    return o;
}

FileId KameraOrt::id() const
{
    return FileId{kKameraGeraet | nummer, quint64(qHash(pfad))};
}

FileStamp KameraOrt::stempel(const KameraEintrag &e) const
{
    return FileStamp{e.size, e.mtime * 1000, kKameraGeraet | nummer, quint64(qHash(pfad)), 0,
                     e.mtime * 1'000'000'000};
}

bool KameraOrte::aufKamera(const QString &programPath) const
{
    if (programPath.size() < 2 || programPath.at(1) != QLatin1Char(':'))
        return false;
    const QChar letter = programPath.at(0).toUpper();
    for (const KameraLaufwerke::Laufwerk &l : m_kameras.laufwerke()) {
        if (l.letter == letter)
            return true;
    }
    return false;
}

std::optional<QList<KameraEintrag>> KameraOrte::auflisten(const KameraOrt &ordner, bool neu) const
{
    const QByteArray schluessel = ordner.host();
    if (!neu) {
        std::lock_guard lock(m_mutex);
        const auto it = m_listen.constFind(schluessel);
        if (it != m_listen.constEnd())
            return *it;
    }
    std::optional<QList<KameraEintrag>> liste = ordner.kamera->list(ordner.pfad, neu);
    std::lock_guard lock(m_mutex);
    if (liste)
        m_listen.insert(schluessel, *liste);
    else
        m_listen.remove(schluessel);
    return liste;
}

std::optional<KameraOrt> KameraOrte::ort(const FileRef &file) const
{
    if (!file.host.isEmpty())
        return aufKamera(file.host) ? vomHost(file.host) : std::nullopt;
    const QString &pfad = file.path;
    if (!aufKamera(pfad))
        return std::nullopt;
    const QChar letter = pfad.at(0).toUpper();
    KameraOrt o;
    for (const KameraLaufwerke::Laufwerk &l : m_kameras.laufwerke()) {
        if (l.letter == letter)
            o = KameraOrt{l.kamera, l.nummer, l.letter, "/"};
    }
    if (!o.kamera)
        return std::nullopt;
    const QStringList teile = pfad.mid(2).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString &teil : teile) {
        const QByteArray gesucht = teil.toUtf8();
        QByteArray gefunden = gesucht;
        // An exact spelling first, then any case; a name not there keeps its own.
        if (const std::optional<QList<KameraEintrag>> liste = auflisten(o, false)) {
            bool genau = false;
            for (const KameraEintrag &e : *liste)
                genau = genau || e.name == gesucht;
            for (const KameraEintrag &e : *liste) {
                if (!genau && QString::fromUtf8(e.name).compare(teil, Qt::CaseInsensitive) == 0) {
                    gefunden = e.name;
                    break;
                }
            }
        }
        o = o.darin(gefunden);
    }
    return o;
}

std::optional<KameraOrt> KameraOrte::vomHost(const QByteArray &host) const
{
    const qsizetype doppelpunkt = host.indexOf(':', 8);
    if (!aufKamera(host) || doppelpunkt < 0)
        return std::nullopt;
    const quint64 nummer = host.mid(8, doppelpunkt - 8).toULongLong();
    for (const KameraLaufwerke::Laufwerk &l : m_kameras.laufwerke()) {
        if (l.nummer == nummer)
            return KameraOrt{l.kamera, l.nummer, l.letter, host.mid(doppelpunkt + 1)};
    }
    return std::nullopt;
}

std::optional<KameraEintrag> KameraOrte::eintrag(const KameraOrt &o) const
{
    if (o.pfad == "/")
        return KameraEintrag{"/", true};
    const QByteArray name = o.name();
    if (const std::optional<QList<KameraEintrag>> liste = auflisten(o.oben(), false)) {
        for (const KameraEintrag &e : *liste) {
            if (e.name == name)
                return e;
        }
    }
    return std::nullopt;
}

void KameraOrte::entfernt(const KameraOrt &o)
{
    const QByteArray name = o.name();
    std::lock_guard lock(m_mutex);
    const auto it = m_listen.find(o.oben().host());
    if (it != m_listen.end())
        it->removeIf([&name](const KameraEintrag &e) { return e.name == name; });
}

} // namespace mirbelon
