#include "app/Main.h"

#include "app/Einstellungen.h"
#include "archive/ArchivPruefen.h"
#include "archive/Auswerfen.h"
#include "archive/Datumskorrektur.h"
#include "archive/KartenBefehle.h"
#include "archive/Kopierlauf.h"
#include "archive/Loeschen.h"
#include "archive/NummernSync.h"
#include "archive/ZweitesZiel.h"
#include "frame/Context.h"
#include "services/Adressen.h"
#include "source/Karte.h"
#include "source/Markieren.h"

#include <QAction>
#include <QMenuBar>

#include <utility>

// The menu bar of the main window: every menu entry with its key and reaction.

namespace mirbelon {

QAction *Main::neueAktion(const QString &name, const QString &text, const QKeySequence &taste,
                          std::function<void()> reaktion)
{
    auto *aktion = new QAction(text, this);
    aktion->setObjectName(name);
    if (!taste.isEmpty())
        aktion->setShortcut(taste);
    if (reaktion)
        connect(aktion, &QAction::triggered, this, [reaktion] { reaktion(); });
    m_aktionen.insert(name, aktion);
    return aktion;
}

void Main::bauenMenues()
{
    QMenu *fotos = menuBar()->addMenu(QStringLiteral("&Fotos"));
    QMenu *markieren = fotos->addMenu(QStringLiteral("&Markieren"));
    const QStringList markTexte = {QStringLiteral("&alle"), QStringLiteral("&keine"),
                                   QStringLiteral("&umkehren"), QStringLiteral("alle ab &Cursor")};
    for (int i = 0; i < markTexte.size(); ++i) {
        markieren->addAction(neueAktion(QStringLiteral("mnuMarkieren(%1)").arg(i), markTexte.at(i),
                                        i == 2 ? QKeySequence(Qt::Key_F4) : QKeySequence(),
                                        [this, i] { mnuMarkieren(m_liste, *this, i); }));
    }
    markieren->addSeparator();
    markieren->addAction(neueAktion(QStringLiteral("mnuMarkierenJmp(0)"),
                                    QStringLiteral("zur &vorherigen Markierung"), Qt::Key_F7,
                                    [this] { mnuMarkierenJmp(m_liste, 0); }));
    markieren->addAction(neueAktion(QStringLiteral("mnuMarkierenJmp(1)"),
                                    QStringLiteral("zur &nächsten Markierung"), Qt::Key_F8,
                                    [this] { mnuMarkierenJmp(m_liste, 1); }));
    fotos->addAction(neueAktion(QStringLiteral("mnuKopieren"), QStringLiteral("&Kopieren"), Qt::Key_F5,
                                [this] { lauf([this] { mnuKopieren(m_ctx, m_liste, *this); }); }));
    QMenu *loeschen = fotos->addMenu(QStringLiteral("&Löschen"));
    loeschen->addAction(neueAktion(QStringLiteral("mnuLöschenAlle"), QStringLiteral("&Fotos löschen..."),
                                   QKeySequence(Qt::SHIFT | Qt::Key_Delete),
                                   [this] { lauf([this] { mnuLoeschenAlle(m_ctx, m_liste, *this); }); }));
    loeschen->addAction(neueAktion(QStringLiteral("mnuLöschenTmp"),
                                   QStringLiteral("&Temporär abgelegte Fotos löschen"), {},
                                   [this] { mnuLoeschenTmp(m_ctx, true); }));
    fotos->addSeparator();
    QMenu *foto = fotos->addMenu(QStringLiteral("&Foto"));
    foto->addAction(neueAktion(QStringLiteral("mnuFotoOpen"), QStringLiteral("Ö&ffnen..."),
                               QKeySequence(Qt::CTRL | Qt::Key_O),
                               [this] { FotoOeffnen(m_ctx, *this, m_liste); }));
    fotos->addAction(neueAktion(QStringLiteral("mnuFileDateDiff"),
                                QStringLiteral("Datum der Quell-Datei korrigieren..."), {},
                                [this] { mnuFileDateDiff(m_ctx, m_liste, *this); }));
    fotos->addSeparator();
    QAction *sichern = neueAktion(QStringLiteral("mnuSaveSet"), QStringLiteral("Einstellungen &sichern"),
                                  QKeySequence(Qt::CTRL | Qt::Key_S), {});
    sichern->setCheckable(true);
    fotos->addAction(sichern);
    fotos->addSeparator();
    fotos->addAction(neueAktion(QStringLiteral("mnuEnde"), QStringLiteral("&Beenden"), Qt::Key_F12,
                                [this] { programmEnde(); }));

    QMenu *extras = menuBar()->addMenu(QStringLiteral("&Extras"));
    QMenu *quellLw = extras->addMenu(QStringLiteral("&Quell-Laufwerk (Speicherkarte)"));
    quellLw->addAction(neueAktion(QStringLiteral("mnuExtQSuche"), QStringLiteral("Quell-Laufwerk suchen..."),
                                  {}, [this] { LaufwerkSuchen(m_ctx, *this); }));
    quellLw->addAction(neueAktion(QStringLiteral("mnuKameraBezSave"),
                                  QStringLiteral("Kamera-Bezeichnung auf Quelle speichern"), {},
                                  [this] { KameraBezSpeichern(m_ctx, *this); }));
    quellLw->addAction(neueAktion(QStringLiteral("mnuAutoStartSave"),
                                  QStringLiteral("Autostart für 'Mirbelon' auf Quelle anlegen"), {},
                                  [this] { AutoStartSpeichern(m_ctx, *this); }));
    quellLw->addAction(neueAktion(QStringLiteral("mnuKarteAuswerfen"), QStringLiteral("Karte auswerfen"), {},
                                  [this] {
                                      KarteAuswerfen(m_ctx, *this);
                                      if (m_endeAngefordert)
                                          programmEnde();
                                  }));
    extras->addAction(neueAktion(QStringLiteral("mnuExtZ"), QStringLiteral("&Ziel-Laufwerk (Festplatte)"),
                                 {}, {}));
    extras->addAction(neueAktion(QStringLiteral("mnuArchivPruefen"), QStringLiteral("&Archiv prüfen..."), {},
                                 [this] {
                                     lauf([this] { ArchivPruefen(m_ctx, *this, [this] { return m_endeAngefordert; }); });
                                 }));
    extras->addAction(neueAktion(QStringLiteral("mnuZweitesZiel"), QStringLiteral("Z&weites Ziel (Sicherungskopie)..."),
                                 {}, [this] { mnuZweitesZiel(m_ctx, *this); }));
    extras->addSeparator();
    extras->addAction(neueAktion(QStringLiteral("Fotos_Nr_Sync"),
                                 QStringLiteral("Fotos nummeriert syncronisieren"),
                                 QKeySequence(Qt::CTRL | Qt::Key_F5), [this] { Fotos_Nr_Sync(m_ctx); }));
    extras->addAction(neueAktion(QStringLiteral("mnuKartenBefehle"), QStringLiteral("Befehle der Speicherkarte..."),
                                 {}, [this] { mnuKartenBefehle(m_ctx, quelle()); }));
    extras->addAction(neueAktion(QStringLiteral("mnuNote(0)"), QStringLiteral("&Logbuch / Einstellungen"),
                                 QKeySequence(Qt::CTRL | Qt::Key_E),
                                 [this] { DokumentOeffnen(m_ctx, *this, m_ctx.einstellungsDatei); }));

    QMenu *hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    hilfe->addAction(neueAktion(QStringLiteral("mnuInfo"), QStringLiteral("&Info..."), Qt::Key_F1,
                                [this] { infoZeigen(); }));
    hilfe->addSeparator();
    hilfe->addAction(neueAktion(QStringLiteral("mnuURLHomePage"), QStringLiteral("&Homepage im Web..."), {},
                                [this] { DokumentOeffnen(m_ctx, *this, kHomepage); }));
}

void Main::leereKarteAuswerfen()
{
    const QString karte = std::exchange(m_karteVorLauf, QString());
    if (!karte.isEmpty() && m_liste.anzahl() == 0)
        LeereKarteAuswerfen(m_ctx, *this, karte);
}

} // namespace mirbelon
