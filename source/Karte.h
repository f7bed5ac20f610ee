#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace mirbelon {

class Context;
class Fenster;
class FotoListe;

// The camera name of a scanned source: "Kamera" in section "Infos" of the
// source folder's Foto.ini, else of the one at the drive's root; when neither
// names one, the camera that EXIF names in the first photos of the list. An
// empty name leaves txtStaKamera as it is.
void KameraLesen(Context &ctx, const FotoListe &liste, Fenster &fenster);

// mnuExtQSuche: tests every drive from A: to Z: for a Foto.ini at its root
// and makes each such drive the source in turn, so the last one wins. With
// none, the last drive with a DCIM folder (a camera card) is the source. A
// source that was the hit already is read again: the card may be another.
void LaufwerkSuchen(Context &ctx, Fenster &fenster);

// One entry of the source box: what it puts into txtQ, and what it shows.
struct QuellAngebot
{
    QString quelle;  // "E:\"
    QString anzeige; // "E:\  EOS_DIGITAL"
};

// The entries of the source box: each mounted medium with its name, then
// the stored sources.
QList<QuellAngebot> QuellAngebote(Context &ctx, const QStringList &gespeichert);

// mnuKameraBezSave: the camera name into Foto.ini at the root of the source's drive.
void KameraBezSpeichern(Context &ctx, const Fenster &fenster);

// mnuAutoStartSave: Autorun.inf at the root of the source's drive, starting
// this program with the source.
void AutoStartSpeichern(Context &ctx, const Fenster &fenster);

} // namespace mirbelon
