#pragma once

namespace mirbelon {

class Context;
class Fenster;

// mnuExtQSuche: tests every drive from A: to Z: for a Foto.ini at its root
// and makes each such drive the source in turn, so the last one wins.
void LaufwerkSuchen(Context &ctx, Fenster &fenster);

// mnuKameraBezSave: the camera name into Foto.ini at the root of the source's drive.
void KameraBezSpeichern(Context &ctx, const Fenster &fenster);

// mnuAutoStartSave: Autorun.inf at the root of the source's drive, starting
// this program with the source.
void AutoStartSpeichern(Context &ctx, const Fenster &fenster);

} // namespace mirbelon
