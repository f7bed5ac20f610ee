#pragma once

#include "frame/Context.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProfileFiles.h"
#include "source/FotoListe.h"
#include "source/VorschauLader.h"
#include "tests/support/TestFenster.h"
#include "tests/support/TestUmgebung.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace mirbelon::bench {

// A card on E:, the program folders on C:, and a window without widgets
// wired as the main window wires it: txtQ scans, the list's click reaction
// runs, CheckPreview stays off.
class Aufbau
{
public:
    Aufbau();

    // Host file system and ini files started afresh, as at program start:
    // nothing of earlier scans is known to them. The folders stay.
    void neueSitzung();

    Context &ctx() { return *m_ctx; }

    // Card with `ordner` folders of `proOrdner` photos, 4 of 5 JPG (marked
    // by the scan), then CR2 and MOV; each photo `bytes` long (0: a few
    // hundred, varying) and a time stamp of its own, two seconds apart.
    void karte(int ordner, int proOrdner, qint64 bytes);

    // Mirbelon.ini as years of use leave it: the program's keys and 20
    // cameras with their statistics. Brenlo.ini likewise, last changed a
    // day ago.
    void einstellungen();

    // Scans E:\ through txtQ; aborts unless `erwartet` photos are listed.
    void scannen(int erwartet);

    test::TestUmgebung env { QStringLiteral("CE") };
    test::TestFenster fenster;
    FotoListe liste;
    VorschauLader lader { 3 };

private:
    std::unique_ptr<PosixFileSystem> m_files;
    std::unique_ptr<PosixProfileFiles> m_profiles;
    std::unique_ptr<Context> m_ctx;
};

// Sets the modification time of a host path, seconds before now.
void Altern(const QString &hostPfad, qint64 sekundenZurueck);

// A photo's JPEG at quality 92; aborts on failure.
QByteArray AlsJpeg(const QImage &bild);

// Writes a host file; aborts on failure.
void Schreiben(const QString &hostPfad, const QByteArray &inhalt);

} // namespace mirbelon::bench
