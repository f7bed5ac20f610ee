#include "platform/dbus/UDisksEjector.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace mirbelon {

namespace {

const QString kDienst = QStringLiteral("org.freedesktop.UDisks2");
const QString kWurzel = QStringLiteral("/org/freedesktop/UDisks2");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");

constexpr int kListeMs = 10000;
// A slow card may still have much to write before it is unmounted.
constexpr int kAushaengenMs = 120000;
constexpr int kAbschaltenMs = 30000;

using Schnittstellen = QMap<QString, QVariantMap>;

// Sends the call and lets this thread's events run until the answer is there.
QDBusMessage Rufen(const QDBusConnection &bus, const QDBusMessage &ruf, int timeoutMs)
{
    QDBusPendingCallWatcher wache(bus.asyncCall(ruf, timeoutMs));
    bool fertig = false;
    QObject::connect(&wache, &QDBusPendingCallWatcher::finished, [&fertig] { fertig = true; });
    while (!fertig && !wache.isFinished())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return wache.reply();
}

// A method of UDisks2 that takes only options (a{sv}), called with none.
QDBusMessage MitOptionen(const QDBusConnection &bus, const QString &objekt, const QString &schnittstelle,
                         const QString &methode, int timeoutMs)
{
    QDBusMessage ruf = QDBusMessage::createMethodCall(kDienst, objekt, schnittstelle, methode);
    ruf << QVariantMap();
    return Rufen(bus, ruf, timeoutMs);
}

EjectResult Nein(const QDBusMessage &antwort, bool ausgehaengt)
{
    const QString name = antwort.errorName();
    EjectResult r;
    r.unmounted = ausgehaengt;
    r.reason = antwort.errorMessage();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown")
        || name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")
        || name.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn")))
        r.outcome = EjectOutcome::NoService;
    else if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply")
             || name == QLatin1String("org.freedesktop.DBus.Error.Timeout")
             || name == QLatin1String("org.freedesktop.DBus.Error.TimedOut"))
        r.outcome = EjectOutcome::NoAnswer;
    else if (name == QLatin1String("org.freedesktop.DBus.Error.Disconnected"))
        r.outcome = EjectOutcome::NoBus;
    else if (name == QLatin1String("org.freedesktop.UDisks2.Error.DeviceBusy"))
        r.outcome = EjectOutcome::Busy;
    else if (name.startsWith(QLatin1String("org.freedesktop.UDisks2.Error.NotAuthorized"))
             || name == QLatin1String("org.freedesktop.DBus.Error.AccessDenied"))
        r.outcome = EjectOutcome::NotAllowed;
    else
        r.outcome = EjectOutcome::Refused;
    return r;
}

// Values of a{sv} come as plain types where QtDBus knows them, else still marshalled.
QString ObjektPfad(const QVariant &wert)
{
    if (wert.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return wert.value<QDBusObjectPath>().path();
    if (wert.metaType() == QMetaType::fromType<QDBusArgument>())
        return qdbus_cast<QDBusObjectPath>(wert).path();
    return wert.toString();
}

QStringList Einhaengungen(const QVariant &wert)
{
    const QList<QByteArray> roh = wert.metaType() == QMetaType::fromType<QDBusArgument>()
        ? qdbus_cast<QList<QByteArray>>(wert)
        : wert.value<QList<QByteArray>>();
    QStringList ordner;
    for (QByteArray bytes : roh) {
        // NUL-terminated on the bus.
        while (bytes.endsWith('\0'))
            bytes.chop(1);
        ordner << QFile::decodeName(bytes);
    }
    return ordner;
}

bool Haelt(const QString &einhaengung, const QString &pfad)
{
    return einhaengung == QLatin1String("/") || pfad == einhaengung
        || pfad.startsWith(einhaengung + QLatin1Char('/'));
}

QDBusConnection Bus(const QString &adresse)
{
    if (adresse.isEmpty())
        return QDBusConnection::systemBus();
    return QDBusConnection::connectToBus(adresse, QStringLiteral("mirbelon ") + adresse);
}

} // namespace

UDisksEjector::UDisksEjector(QString busAddress) : m_busAddress(std::move(busAddress))
{
}

EjectResult UDisksEjector::eject(const QString &hostPath)
{
    const QDBusConnection bus = Bus(m_busAddress);
    if (!bus.isConnected())
        return EjectResult{EjectOutcome::NoBus, false, false, bus.lastError().message()};

    const QDBusMessage liste = Rufen(
        bus,
        QDBusMessage::createMethodCall(kDienst, kWurzel, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                                       QStringLiteral("GetManagedObjects")),
        kListeMs);
    if (liste.type() != QDBusMessage::ReplyMessage)
        return Nein(liste, false);
    QMap<QString, Schnittstellen> objekte;
    if (!liste.arguments().isEmpty()) {
        const QDBusArgument arg = liste.arguments().constFirst().value<QDBusArgument>();
        arg.beginMap();
        while (!arg.atEnd()) {
            QDBusObjectPath pfad;
            Schnittstellen schnittstellen;
            arg.beginMapEntry();
            arg >> pfad >> schnittstellen;
            arg.endMapEntry();
            objekte.insert(pfad.path(), schnittstellen);
        }
        arg.endMap();
    }

    // The file system mounted deepest above the path is the one that holds it.
    const QString kanonisch = QFileInfo(hostPath).canonicalFilePath();
    const QString pfad = kanonisch.isEmpty() ? QDir::cleanPath(hostPath) : kanonisch;
    QString dateisystem;
    qsizetype tiefe = -1;
    for (auto it = objekte.constBegin(); it != objekte.constEnd(); ++it) {
        if (!it->contains(kFilesystem))
            continue;
        for (const QString &ordner : Einhaengungen(it->value(kFilesystem).value(QStringLiteral("MountPoints")))) {
            if (Haelt(ordner, pfad) && ordner.size() > tiefe) {
                tiefe = ordner.size();
                dateisystem = it.key();
            }
        }
    }
    const QString laufwerk = ObjektPfad(objekte.value(dateisystem).value(kBlock).value(QStringLiteral("Drive")));
    const QVariantMap drive = objekte.value(laufwerk).value(kDrive);
    if (dateisystem.isEmpty() || !drive.value(QStringLiteral("Removable")).toBool())
        return EjectResult{EjectOutcome::NoDrive, false, false, {}};

    const QDBusMessage ausgehaengt = MitOptionen(bus, dateisystem, kFilesystem, QStringLiteral("Unmount"), kAushaengenMs);
    if (ausgehaengt.type() != QDBusMessage::ReplyMessage)
        return Nein(ausgehaengt, false);
    if (!drive.value(QStringLiteral("CanPowerOff")).toBool())
        return EjectResult{EjectOutcome::Ejected, true, false, {}};
    const QDBusMessage abgeschaltet = MitOptionen(bus, laufwerk, kDrive, QStringLiteral("PowerOff"), kAbschaltenMs);
    if (abgeschaltet.type() != QDBusMessage::ReplyMessage)
        return Nein(abgeschaltet, true);
    return EjectResult{EjectOutcome::Ejected, true, true, {}};
}

} // namespace mirbelon
