#!/usr/bin/env bash
# The real program deletes only the very photos it listed and copied. F5
# copies a card, the delete question is answered "Ja"; while the question
# about a read-only photo holds the deletion, one photo is replaced by other
# bytes of the same size and time, one is rewritten in place, and the second
# folder of the card becomes a link to a folder outside it. Then the deletion
# goes on: it keeps all of those, each with a report, and deletes the rest.
#
#   listed_file.sh PROGRAM BEISPIELFOTOS BILDSCHIRMFOTO ARTIFACT_FOLDER
#
# Exit code 77 (skipped) only when Xvfb or xdotool are not installed.
set -euo pipefail

source "$(dirname "$0")/hilfen.sh"
e2e_anfang "$@"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/mirbelon-gelistet.XXXXXX")
aufraeumen() {
    prozesse_beenden
    rm -rf "$tmp"
}
trap aufraeumen EXIT

installieren "$tmp"
fehler=0
prg=$tmp/C/Programme/Mirbelon
E=$tmp/E
k=$E/DCIM/100CANON
mkdir -p "$k" "$E/DCIM/101CANON" "$tmp/neu"
export TZ=UTC XDG_RUNTIME_DIR=$tmp/xdg/runtime
"$beispielfotos" "$k" IMG_0001.JPG 2024-03-14T09:05:30 IMG_0002.JPG 2024-03-14T09:06:00 \
    IMG_0003.JPG 2024-03-14T09:07:00 IMG_0004.JPG 2024-03-14T09:08:00
"$beispielfotos" "$E/DCIM/101CANON" IMG_0101.JPG 2024-03-15T10:00:00 IMG_0102.JPG 2024-03-15T10:01:00
chmod 444 "$k/IMG_0001.JPG"
printf '[Ziele]\r\nxx=C:\\Archiv\r\n[Quellen]\r\nxx=E:\\\r\n' >"$prg/Mirbelon.ini"

xvfb_starten "$tmp" "$artefakte"
programm_oeffnen "$prg/mirbelon" "C=$tmp/C;E=$E" "$artefakte/gelistet.log" 'Quelle=E:\'
sleep 2
xdotool windowfocus "$fenster" 2>/dev/null || true
sleep 0.3
xdotool key F5

sichtbar() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
da() { [ -n "$(sichtbar "$1")" ]; }
warte 60 da 'Fotos auf Quell-Laufwerk' || { echo "FAIL: no delete question"; exit 1; }
sleep 0.5
"$bildschirmfoto" 0 "$artefakte/gelistet-loeschfrage.png"
xdotool windowfocus "$(sichtbar 'Fotos auf Quell-Laufwerk')" 2>/dev/null || true
sleep 0.2
xdotool key alt+j # "&Ja": every photo

warte 30 da 'Schreibgeschützte Datei' || { echo "FAIL: no read-only question"; exit 1; }
groesse=$(stat -c %s "$k/IMG_0002.JPG")
head -c "$groesse" /dev/urandom >"$k/.neu"
touch -r "$k/IMG_0002.JPG" "$k/.neu"
mv "$k/.neu" "$k/IMG_0002.JPG"
touch -r "$k/IMG_0003.JPG" "$tmp/zeit3"
printf 'NEU!' | dd of="$k/IMG_0003.JPG" conv=notrunc status=none
touch -r "$tmp/zeit3" "$k/IMG_0003.JPG"
cp -p "$k/IMG_0002.JPG" "$k/IMG_0003.JPG" "$tmp/neu/"
mv "$E/DCIM/101CANON" "$tmp/aussen"
ln -s "$tmp/aussen" "$E/DCIM/101CANON"
xdotool windowfocus "$(sichtbar 'Schreibgeschützte Datei')" 2>/dev/null || true
sleep 0.2
xdotool key Return # the default "Abbrechen": the read-only photo stays

# Each kept photo has its report; Return is its default "Nein": go on. The
# deletion is over when the unchanged photo is gone and no report follows.
berichte=0
bis=$(($(date +%s) + 90))
while [ "$(date +%s)" -lt "$bis" ]; do
    if da 'Fehler im Programm'; then
        berichte=$((berichte + 1))
        sleep 0.5
        [ "$berichte" -eq 1 ] && "$bildschirmfoto" 0 "$artefakte/gelistet-bericht.png"
        xdotool windowfocus "$(sichtbar 'Fehler im Programm')" 2>/dev/null || true
        sleep 0.2
        xdotool key Return
        sleep 0.5
        continue
    fi
    if [ ! -e "$k/IMG_0004.JPG" ] && ! warte 3 da 'Fehler im Programm'; then
        break
    fi
    sleep 0.2
done
sleep 1
"$bildschirmfoto" "$fenster" "$artefakte/gelistet-danach.png" || true

pruefe "four reports, one per kept photo (saw $berichte)" test "$berichte" -eq 4
pruefe "the replaced photo stays with its new bytes" cmp -s "$k/IMG_0002.JPG" "$tmp/neu/IMG_0002.JPG"
pruefe "the photo rewritten in place stays with its new bytes" cmp -s "$k/IMG_0003.JPG" "$tmp/neu/IMG_0003.JPG"
pruefe "the read-only photo stays" test -e "$k/IMG_0001.JPG"
pruefe "an unchanged photo is deleted" test ! -e "$k/IMG_0004.JPG"
for foto in IMG_0101.JPG IMG_0102.JPG; do
    pruefe "$foto behind the link outside the card stays" test -s "$tmp/aussen/$foto"
done

xdotool windowfocus "$fenster" 2>/dev/null || true
sleep 0.2
xdotool key F12
beendet() { ! lebt; }
pruefe "F12 ends the program" warte 30 beendet
if [ "$fehler" -ne 0 ]; then
    echo "$fehler check(s) failed"
    exit 1
fi
echo "all checks passed"
