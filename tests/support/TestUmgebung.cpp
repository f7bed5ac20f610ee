#include "tests/support/TestUmgebung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <ctime>

namespace mirbelon::test {

Zeitzone::Zeitzone(const char *tz)
    : m_alt(qgetenv("TZ")), m_hatte(qEnvironmentVariableIsSet("TZ"))
{
    qputenv("TZ", tz);
    tzset();
}

Zeitzone::~Zeitzone()
{
    if (m_hatte)
        qputenv("TZ", m_alt);
    else
        qunsetenv("TZ");
    tzset();
}

TestUmgebung::TestUmgebung(const QString &laufwerke, const QStringList &kameraPorts, const KameraFs &kameraFs)
{
    m_hatteLaufwerke = qEnvironmentVariableIsSet("MIRBELON_DRIVES");
    m_alteLaufwerke = qgetenv("MIRBELON_DRIVES");

    QStringList tabelle;
    for (const QChar b : laufwerke) {
        const QString ordner = wurzel.path() + QLatin1Char('/') + b.toUpper();
        QDir().mkpath(ordner);
        tabelle << QString(b.toUpper()) + QLatin1Char('=') + ordner;
    }
    qputenv("MIRBELON_DRIVES", tabelle.join(QLatin1Char(';')).toUtf8());
    files = std::make_unique<PosixFileSystem>();
    if (!kameraPorts.isEmpty())
        kameras = kameraFs ? kameraFs(*files, kameraPorts) : std::make_unique<KameraDateisystem>(*files, kameraPorts);
    einrichten(laufwerke);
}

TestUmgebung::TestUmgebung(MitMedien)
{
    m_hatteLaufwerke = qEnvironmentVariableIsSet("MIRBELON_DRIVES");
    m_alteLaufwerke = qgetenv("MIRBELON_DRIVES");
    QDir().mkpath(laufwerk(QLatin1Char('C')));
    QDir().mkpath(medien());
    files = std::make_unique<PosixFileSystem>(
        std::make_shared<const MountedDrives>(laufwerk(QLatin1Char('C')), QStringList{medien()}));
    einrichten(QStringLiteral("C"));
}

QString TestUmgebung::medien() const
{
    return wurzel.path() + QStringLiteral("/media/anna");
}

void TestUmgebung::einrichten(const QString &laufwerke)
{
    FileSystem &fs = kameras ? static_cast<FileSystem &>(*kameras) : *files;
    profiles = std::make_unique<PosixProfileFiles>(fs);
    echtesSystem = std::make_unique<PosixSystem>(fs);
    system = std::make_unique<FakeSystem>(*echtesSystem);
    system->appData = QStringLiteral("C:\\AppData");
    system->windows = QStringLiteral("C:\\Windows");
    system->system = QStringLiteral("C:\\Windows\\System32");
    system->bilder = QStringLiteral("C:\\Bilder");
    system->programmDatei = QStringLiteral("C:\\Prg\\Mirbelon");
    system->aktuellerOrdner = QStringLiteral("C:\\Prg");

    boxen = std::make_unique<FlushingDialogs>(dialogs, *profiles);
    ctx = std::make_unique<Context>(
        Host{fs, *profiles, processes, *boxen, desktop, *system}, QString());
    ctx->ordner.prg = QStringLiteral("C:\\Prg");
    ctx->ordner.brenlo = QStringLiteral("C:\\Brenlo");
    ctx->ordner.tmp = QStringLiteral("C:\\Tmp");
    ctx->ordner.dat = QStringLiteral("C:\\Prg");
    ctx->ordner.debugDatei = QStringLiteral("C:\\Prg\\Debug.txt");
    ctx->einstellungsDatei = QStringLiteral("C:\\Prg\\Mirbelon.ini");
    ctx->dateiTypen = QStringLiteral("*.bmp;*.jpg;*.gif;*.tif;*.avi;*.mov;*.cr2");
    if (laufwerke.contains(QLatin1Char('C'), Qt::CaseInsensitive)) {
        for (const char *o : {"C:\\Prg", "C:\\Brenlo", "C:\\Tmp", "C:\\AppData", "C:\\Windows"})
            ordner(QString::fromLatin1(o));
    }
}

TestUmgebung::~TestUmgebung()
{
    if (m_hatteLaufwerke)
        qputenv("MIRBELON_DRIVES", m_alteLaufwerke);
    else
        qunsetenv("MIRBELON_DRIVES");
}

QString TestUmgebung::laufwerk(QChar buchstabe) const
{
    return wurzel.path() + QLatin1Char('/') + buchstabe.toUpper();
}

QString TestUmgebung::host(const QString &programmPfad) const
{
    QString rest = programmPfad.mid(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (rest.endsWith(QLatin1Char('/')))
        rest.chop(1);
    return laufwerk(programmPfad.at(0)) + rest;
}

void TestUmgebung::datei(const QString &programmPfad, const QByteArray &inhalt,
                         const QDateTime &zeit)
{
    const QString pfad = host(programmPfad);
    QDir().mkpath(QFileInfo(pfad).path());
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot create %s", qPrintable(pfad));
    f.write(inhalt);
    f.flush(); // a buffered write at close would reset the time stamp
    if (zeit.isValid())
        f.setFileTime(zeit, QFileDevice::FileModificationTime);
    f.close();
}

QByteArray TestUmgebung::inhalt(const QString &programmPfad) const
{
    QFile f(host(programmPfad));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestUmgebung::ordner(const QString &programmPfad)
{
    QDir().mkpath(host(programmPfad));
}

} // namespace mirbelon::test
