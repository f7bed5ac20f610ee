#include "fuzz/FuzzKontext.h"

#include <QDir>

namespace mirbelon::fuzz {

FuzzKontext &FuzzKontext::instanz()
{
    static FuzzKontext kontext;
    return kontext;
}

FuzzKontext::FuzzKontext()
{
    QStringList tabelle;
    for (const char b : {'C', 'E'}) {
        const QString ordner = m_wurzel.path() + QLatin1Char('/') + QLatin1Char(b);
        QDir().mkpath(ordner);
        tabelle << QString(QLatin1Char(b)) + QLatin1Char('=') + ordner;
    }
    for (const char *o : {"C/Prg", "C/Brenlo", "C/Tmp", "E/Fotos", "E/FotosNr"})
        QDir().mkpath(m_wurzel.path() + QLatin1Char('/') + QLatin1String(o));
    qputenv("MIRBELON_DRIVES", tabelle.join(QLatin1Char(';')).toUtf8());

    m_files = std::make_unique<PosixFileSystem>();
    m_profiles = std::make_unique<PosixProfileFiles>(*m_files);
    m_system = std::make_unique<PosixSystem>(*m_files);
    m_ctx = std::make_unique<Context>(
        Host{*m_files, *m_profiles, m_processes, m_dialogs, m_desktop, *m_system}, QString());
    m_ctx->ordner.prg = QStringLiteral("C:\\Prg");
    m_ctx->ordner.brenlo = QStringLiteral("C:\\Brenlo");
    m_ctx->ordner.tmp = QStringLiteral("C:\\Tmp");
    m_ctx->ordner.dat = QStringLiteral("C:\\Prg");
    m_ctx->ordner.debugDatei = QStringLiteral("C:\\Prg\\Debug.txt");
    m_ctx->einstellungsDatei = QStringLiteral("C:\\Prg\\Mirbelon.ini");
    m_ctx->debugModus = -1;
}

void FuzzKontext::vergessen()
{
    m_dialogs.gezeigt.clear();
    m_dialogs.unbeantwortet = 0;
    m_desktop.beeps.clear();
    m_desktop.sounds.clear();
    m_processes.gestartet.clear();
    m_processes.geoeffnet.clear();
    m_processes.tasten.clear();
}

} // namespace mirbelon::fuzz
