#include "bench/Karte.h"

#include "platform/Cp1252.h"
#include "source/Scan.h"
#include "source/Vorschau.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstring>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirbelon::bench {

void Altern(const QString &hostPfad, qint64 sekundenZurueck)
{
    struct timespec zeiten[2];
    ::clock_gettime(CLOCK_REALTIME, &zeiten[0]);
    zeiten[0].tv_sec -= sekundenZurueck;
    zeiten[1] = zeiten[0];
    if (::utimensat(AT_FDCWD, QFile::encodeName(hostPfad).constData(), zeiten, 0) != 0) {
        std::perror("utimensat");
        std::exit(1);
    }
}

void Schreiben(const QString &hostPfad, const QByteArray &inhalt)
{
    const int fd = ::open(QFile::encodeName(hostPfad).constData(),
        O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, inhalt.constData(), size_t(inhalt.size())) != inhalt.size()
        || ::close(fd) != 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(hostPfad));
        std::exit(1);
    }
}

QByteArray AlsJpeg(const QImage &bild)
{
    QByteArray jpeg;
    QBuffer puffer(&jpeg);
    puffer.open(QIODevice::WriteOnly);
    if (!bild.save(&puffer, "JPG", 92)) {
        std::fprintf(stderr, "cannot encode JPEG\n");
        std::exit(1);
    }
    return jpeg;
}

Aufbau::Aufbau()
{
    fenster.quelleOhneReaktion(QStringLiteral("E:\\"));
    fenster.zielOhneReaktion(QStringLiteral("C:\\Archiv"));
    fenster.beiQuelle = [this] { QuelleScannen(ctx(), liste, fenster); };
    fenster.beiVorschau = [this] { VorschauSchalter(liste, fenster); };
    QObject::connect(
        &liste, &FotoListe::geklickt, [this] { ListeKlick(ctx(), liste, fenster, lader); });
    neueSitzung();
}

void Aufbau::neueSitzung()
{
    const Context &vorlage = *env.ctx;
    m_ctx.reset();
    m_profiles.reset();
    m_files = std::make_unique<PosixFileSystem>();
    m_profiles = std::make_unique<PosixProfileFiles>(*m_files);
    m_ctx = std::make_unique<Context>(
        Host { *m_files, *m_profiles, env.processes, env.dialogs, env.desktop, *env.system },
        vorlage.kommandozeile);
    m_ctx->ordner = vorlage.ordner;
    m_ctx->einstellungsDatei = vorlage.einstellungsDatei;
    m_ctx->dateiTypen = vorlage.dateiTypen;
}

void Aufbau::karte(int ordner, int proOrdner, qint64 bytes)
{
    const QString dcim = env.laufwerk(QLatin1Char('E')) + QStringLiteral("/DCIM");
    const qint64 start = QDateTime::currentSecsSinceEpoch() - 86400 * 30;
    QByteArray gross;
    if (bytes > 0) {
        gross.resize(bytes);
        for (qint64 i = 0; i < bytes; ++i)
            gross[i] = char((i * 2654435761u) >> 13);
    }
    int nummer = 0;
    for (int o = 0; o < ordner; ++o) {
        const QString pfad = dcim + QStringLiteral("/%1CANON").arg(100 + o);
        QDir().mkpath(pfad);
        for (int k = 0; k < proOrdner; ++k, ++nummer) {
            const int art = k % 20;
            const char *endung = art < 16 ? "JPG" : art < 19 ? "CR2" : "MOV";
            const QString datei = pfad
                + QStringLiteral("/IMG_%1.%2")
                      .arg(nummer % 10000, 4, 10, QLatin1Char('0'))
                      .arg(QLatin1String(endung));
            QByteArray inhalt = gross;
            if (bytes <= 0)
                inhalt = QByteArray(200 + (nummer % 37) * 50, 'j');
            // Different first bytes, so copies can be told apart.
            std::memcpy(inhalt.data(), &nummer, sizeof nummer);
            Schreiben(datei, inhalt);
            struct timespec zeiten[2] = { { start + 2 * nummer, 0 }, { start + 2 * nummer, 0 } };
            ::utimensat(AT_FDCWD, QFile::encodeName(datei).constData(), zeiten, 0);
        }
        // A card that was written an hour ago, not just now.
        Altern(pfad, 3600);
    }
    Altern(dcim, 3600);
    Schreiben(env.laufwerk(QLatin1Char('E')) + QStringLiteral("/Foto.ini"),
        "[Infos]\r\nKamera=Canon EOS 5D\r\nBesitzer=Anna\r\n");
    Altern(env.laufwerk(QLatin1Char('E')) + QStringLiteral("/Foto.ini"), 3600);
    Altern(env.laufwerk(QLatin1Char('E')), 3600);
}

void Aufbau::einstellungen()
{
    QString ini;
    ini += QStringLiteral("[Mirbelon]\r\n");
    ini += QStringLiteral("Formate=*.bmp;*.jpg;*.gif;*.tif;*.avi;*.mov;*.cr2\r\n"
                          "AutoSel=*.bmp;*.jpg;*.gif;*.tif\r\nNr3=4711\r\n"
                          "ZielMuster={jjjj}_{mm}{tt}-{hh}{nn}{ss}\r\nPreview=0\r\n");
    for (int i = 1; i <= 10; ++i)
        ini += QStringLiteral("Quelle%1=E:\\DCIM\\%2CANON\r\n").arg(i, 2, 10, QLatin1Char('0')).arg(99 + i);
    for (int i = 1; i <= 10; ++i)
        ini += QStringLiteral("Ziel%1=C:\\Archiv\\%2\r\n").arg(i, 2, 10, QLatin1Char('0')).arg(2015 + i);
    ini += QStringLiteral("\r\n[Performance]\r\nMessungen=312\r\nAnzMin=140\r\nBySec=41943040\r\n");
    ini += QStringLiteral("\r\n[Statistik_Summe]\r\nAnzahl Sum=183920\r\nAnzahl Cpy=170233\r\n");
    for (int c = 0; c < 20; ++c) {
        ini += QStringLiteral("\r\n[Statistik_Kamera %1]\r\n").arg(c + 1);
        ini += QStringLiteral("Anzahl Sum=%1\r\nAnzahl Cpy=%2\r\nAnzahl Lst=2025.%3.14 09:05:30\r\n")
                   .arg(9000 + 37 * c)
                   .arg(8000 + 31 * c)
                   .arg(c % 12 + 1, 2, 10, QLatin1Char('0'));
    }
    ini += QStringLiteral("\r\n[Statistik_Canon EOS 5D]\r\nAnzahl Sum=5120\r\nAnzahl Cpy=5001\r\n");
    const QString mirbelon = env.host(ctx().einstellungsDatei);
    Schreiben(mirbelon, toCp1252(ini));
    Altern(mirbelon, 86400);

    const QString brenlo = env.host(ctx().ordner.brenlo + QStringLiteral("\\Brenlo.ini"));
    Schreiben(brenlo,
        toCp1252(QStringLiteral("[Adressen]\r\nImmerKlein=von;van;der;und;bei\r\n"
                                "Absender=Anna Muster\r\n\r\n[Mail]\r\nServer=smtp.example.org\r\n")));
    Altern(brenlo, 86400);
}

void Aufbau::scannen(int erwartet)
{
    fenster.quelleOhneReaktion(QString());
    fenster.setQuelle(QStringLiteral("E:\\"));
    if (liste.anzahl() != erwartet) {
        std::fprintf(stderr, "scan listed %d photos, expected %d\n", liste.anzahl(), erwartet);
        std::exit(1);
    }
}

} // namespace mirbelon::bench
