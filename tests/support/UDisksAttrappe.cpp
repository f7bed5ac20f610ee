#include "tests/support/UDisksAttrappe.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QFile>

namespace mirbelon::test {

namespace {

using Schnittstellen = QMap<QString, QVariantMap>;
using Objekte = QMap<QDBusObjectPath, Schnittstellen>;

const QString kWurzel = QStringLiteral("/org/freedesktop/UDisks2");

QString Verbindung(const QString &adresse)
{
    return QStringLiteral("attrappe ") + adresse;
}

} // namespace

class UDisksAttrappe::Objekt : public QDBusVirtualObject
{
public:
    explicit Objekt(UDisksAttrappe &a) : m_a(a) {}

    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &ruf, const QDBusConnection &bus) override
    {
        if (ruf.member() == QLatin1String("GetManagedObjects")) {
            Objekte objekte;
            for (qsizetype i = 0; i < m_a.laufwerke.size(); ++i) {
                const Laufwerk &l = m_a.laufwerke.at(i);
                const QDBusObjectPath drive(kWurzel + QStringLiteral("/drives/d%1").arg(i));
                objekte[drive][QStringLiteral("org.freedesktop.UDisks2.Drive")] = QVariantMap{
                    {QStringLiteral("Removable"), l.removable}, {QStringLiteral("CanPowerOff"), l.canPowerOff}};
                const QDBusObjectPath block(kWurzel + QStringLiteral("/block_devices/b%1").arg(i));
                objekte[block][QStringLiteral("org.freedesktop.UDisks2.Block")] = QVariantMap{
                    {QStringLiteral("Drive"), QVariant::fromValue(drive)}};
                objekte[block][QStringLiteral("org.freedesktop.UDisks2.Filesystem")] = QVariantMap{
                    {QStringLiteral("MountPoints"),
                     QVariant::fromValue(QList<QByteArray>{QFile::encodeName(l.einhaengung) + '\0'})}};
            }
            return bus.send(ruf.createReply(QVariant::fromValue(objekte)));
        }
        m_a.rufe << ruf.member() + QLatin1Char(' ') + ruf.path() + QLatin1Char(' ') + ruf.signature();
        const qsizetype nummer = ruf.path().section(QLatin1Char('/'), -1).mid(1).toInt();
        const QString fehler = m_a.laufwerke.value(nummer).aushaengenFehler;
        if (ruf.member() == QLatin1String("Unmount") && !fehler.isEmpty())
            return bus.send(ruf.createErrorReply(fehler, QStringLiteral("target is busy")));
        return bus.send(ruf.createReply());
    }

private:
    UDisksAttrappe &m_a;
};

UDisksAttrappe::UDisksAttrappe()
{
    qDBusRegisterMetaType<QList<QByteArray>>();
    qDBusRegisterMetaType<Schnittstellen>();
    qDBusRegisterMetaType<Objekte>();
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!m_daemon.waitForStarted(5000))
        return;
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(5000)) {
    }
    m_adresse = QString::fromUtf8(m_daemon.readLine().trimmed());
}

UDisksAttrappe::~UDisksAttrappe()
{
    if (m_objekt)
        QDBusConnection::disconnectFromBus(Verbindung(m_adresse));
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
}

bool UDisksAttrappe::anbieten()
{
    QDBusConnection bus = QDBusConnection::connectToBus(m_adresse, Verbindung(m_adresse));
    m_objekt = std::make_unique<Objekt>(*this);
    return bus.isConnected() && bus.registerService(QStringLiteral("org.freedesktop.UDisks2"))
        && bus.registerVirtualObject(kWurzel, m_objekt.get(), QDBusConnection::SubPath);
}

} // namespace mirbelon::test
