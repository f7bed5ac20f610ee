#include "app/EinProgramm.h"

#include "text/Parameter.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace mirbelon {

namespace {

constexpr int kWarteMs = 5000;
const char kQuittung = '1';

QByteArray Paket(const QString &arbeitsordner, const QStringList &argumente)
{
    QByteArray daten;
    QDataStream aus(&daten, QIODevice::WriteOnly);
    aus << arbeitsordner << argumente;
    return daten;
}

// A socket file's path holds at most 107 bytes; a longer one (a long
// XDG_RUNTIME_DIR) goes to the abstract namespace under its file name.
bool Abstrakt(const QString &name)
{
    return QFile::encodeName(name).size() >= qsizetype(sizeof(sockaddr_un::sun_path));
}

QString SocketAdresse(const QString &name)
{
    return Abstrakt(name) ? name.mid(name.lastIndexOf(QLatin1Char('/')) + 1) : name;
}

// The abstract namespace has no file permissions: whoever is at the other
// end must be this user.
bool VomSelbenNutzer(qintptr socket)
{
    ucred wer{};
    socklen_t laenge = sizeof wer;
    return ::getsockopt(int(socket), SOL_SOCKET, SO_PEERCRED, &wer, &laenge) == 0
           && wer.uid == ::getuid();
}

} // namespace

QString EinProgramm::socketName(const QStringList &argumente)
{
    // The data folder as the start-up reads it from the command line.
    const QString zeile = Kommandozeile(argumente);
    QString daten;
    if (zeile.contains(QLatin1String("/ordnerdat="), Qt::CaseInsensitive)) {
        Parameter p;
        p.ParameterZerlegen(zeile);
        daten = p.ParameterWert(QStringLiteral("OrdnerDat=")).toLower();
    }
    const QByteArray schluessel =
        (QCoreApplication::applicationDirPath() + QLatin1Char('\n') + daten).toUtf8();
    const QString kennung =
        QString::fromLatin1(QCryptographicHash::hash(schluessel, QCryptographicHash::Sha256).toHex().left(16));
    QString ordner = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (ordner.isEmpty() || !QDir(ordner).exists())
        ordner = QDir::tempPath();
    return QStringLiteral("%1/mirbelon-%2-%3").arg(ordner).arg(::getuid()).arg(kennung);
}

EinProgramm::EinProgramm(QString name, QObject *parent) : QObject(parent), m_name(std::move(name)) {}

EinProgramm::~EinProgramm() = default;

bool EinProgramm::anmelden(const QStringList &argumente, const QString &arbeitsordner)
{
    // Two starts at once: one of them listens, the other one finds it. A lock
    // held longer than that belongs to a start that hangs; go on without it.
    QLockFile sperre(m_name + QStringLiteral(".lock"));
    (void)sperre.tryLock(kWarteMs);
    if (weiterreichen(argumente, arbeitsordner))
        return false;
    m_server = std::make_unique<QLocalServer>();
    if (Abstrakt(m_name)) {
        m_server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    } else {
        QLocalServer::removeServer(m_name); // what a crashed program left
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
    }
    if (!m_server->listen(SocketAdresse(m_name))) {
        qWarning("Mirbelon: %s", qPrintable(m_server->errorString()));
        return true; // runs on its own, as it would without the socket
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] { annehmen(); });
    return true;
}

bool EinProgramm::weiterreichen(const QStringList &argumente, const QString &arbeitsordner)
{
    QLocalSocket socket;
    if (Abstrakt(m_name))
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(SocketAdresse(m_name));
    if (!socket.waitForConnected(kWarteMs) || !VomSelbenNutzer(socket.socketDescriptor()))
        return false;
    socket.write(Paket(arbeitsordner, argumente));
    socket.waitForBytesWritten(kWarteMs);
    // A running program that is busy still holds the socket: it takes the
    // command line when it gets to it, so this start ends either way.
    if (!socket.waitForReadyRead(kWarteMs))
        qWarning("Mirbelon: the running program did not answer");
    return true;
}

void EinProgramm::annehmen()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        if (!VomSelbenNutzer(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream ein(socket);
            ein.startTransaction();
            QString arbeitsordner;
            QStringList argumente;
            ein >> arbeitsordner >> argumente;
            if (!ein.commitTransaction())
                return; // the rest is still on its way
            socket->write(&kQuittung, 1);
            socket->flush();
            socket->disconnectFromServer();
            emit erhalten(arbeitsordner, argumente);
        });
    }
}

} // namespace mirbelon
