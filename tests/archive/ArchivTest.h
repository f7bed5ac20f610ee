#pragma once

#include "frame/IniStore.h"
#include "platform/fake/FakeDialogs.h"
#include "source/FotoListe.h"
#include "tests/support/TestFenster.h"
#include "tests/support/TestUmgebung.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <vector>

namespace mirbelon::test {

// A card on E:, the archive and the program folders on C:, a window without
// widgets and the photo list, as the copy and delete runs see them.
class ArchivTest : public ::testing::Test
{
protected:
    ArchivTest()
    {
        fenster.quelleOhneReaktion(QStringLiteral("E:\\"));
        fenster.zielOhneReaktion(QStringLiteral("C:\\Archiv"));
        fenster.kameraOhneReaktion(QStringLiteral("Canon"));
        env.system->jetzt = QDateTime(QDate(2026, 5, 4), QTime(10, 11, 12));
    }

    Context &ctx() { return *env.ctx; }

    static QDateTime zeit(int tag, int stunde, int minute, int sekunde)
    {
        return QDateTime(QDate(2024, 3, tag), QTime(stunde, minute, sekunde));
    }

    // Photos on the card, listed in the given order with the given marks.
    void karte(const QList<std::pair<QString, QDateTime>> &fotos, const std::vector<char> &marken)
    {
        QStringList pfade;
        for (const auto &[pfad, wann] : fotos) {
            env.datei(pfad, inhaltVon(pfad));
            stempeln(pfad, wann);
            pfade << pfad;
        }
        liste.setPfade(pfade);
        liste.setMarken(marken);
    }

    // The time stamp after the content is on disk, so no late write moves it.
    void stempeln(const QString &pfad, const QDateTime &wann)
    {
        QFile f(env.host(pfad));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(wann, QFileDevice::FileModificationTime));
    }

    // Different bytes per photo, so a mix-up shows.
    static QByteArray inhaltVon(const QString &pfad)
    {
        return QByteArray("JPEG:") + pfad.toUtf8() + QByteArray(3000, '\x7f');
    }

    QString ini(const QString &sektion, const QString &schluessel)
    {
        return IniLesen(ctx(), ctx().einstellungsDatei, sektion, schluessel, {});
    }
    void setzeIni(const QString &sektion, const QString &schluessel, const QString &wert)
    {
        IniSchreiben(ctx(), ctx().einstellungsDatei, sektion, schluessel, wert);
    }

    int gezeigt(const QString &titel) const
    {
        int n = 0;
        for (const auto &g : env.dialogs.gezeigt)
            n += g.titel == titel ? 1 : 0;
        return n;
    }

    bool gibt(const QString &programmPfad) const { return QFile::exists(env.host(programmPfad)); }

    TestUmgebung env;
    TestFenster fenster;
    FotoListe liste;
};

inline const QString kLoeschFrage = QStringLiteral("Fotos auf Quell-Laufwerk löschen");
inline const QString kFehlerTitel = QStringLiteral("Fehler im Programm Mirbelon");
inline const QString kBefehlsFrage = QStringLiteral("Befehle der Speicherkarte");

} // namespace mirbelon::test
