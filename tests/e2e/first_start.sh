#!/usr/bin/env bash
# A photographer's first start: no settings at all, a card of camera JPEGs
# that names its camera only in EXIF (no Foto.ini), and a picture folder on a
# disk too small for them. F5 asks before the first photo; "Nein" copies
# nothing. F5 again, "Ja": the disk fills, one report ends the copying and
# the delete question follows, answered with Escape (nothing deleted). F12 ends.
#
#   first_start.sh PROGRAM BEISPIELFOTOS BILDSCHIRMFOTO ARTIFACT_FOLDER
#
# Exit code 77 (skipped) when Xvfb or xdotool are missing or mounting is not allowed.
set -euo pipefail

source "$(dirname "$0")/hilfen.sh"
e2e_anfang "$@"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/mirbelon-erst.XXXXXX")
home=$tmp/home
bilder=$home/Bilder
eingehaengt=""
aufraeumen() {
    prozesse_beenden
    [ -n "$eingehaengt" ] && { umount "$eingehaengt" 2>/dev/null || umount -l "$eingehaengt" 2>/dev/null || true; }
    rm -rf "$tmp"
}
trap aufraeumen EXIT

fehler=0
E=$tmp/E
karte=$E/DCIM/100CANON
prg=$tmp/prg
mkdir -p "$bilder" "$karte" "$prg" "$tmp/xdg/config" "$tmp/xdg/data" "$tmp/xdg/cache" "$tmp/xdg/runtime" \
         "$tmp/original"
chmod 700 "$tmp/xdg/runtime"
cp "$programm" "$prg/mirbelon"
# The desktop's picture folder, as xdg-user-dirs keeps it.
printf 'XDG_PICTURES_DIR="$HOME/Bilder"\n' >"$tmp/xdg/config/user-dirs.dirs"

"$beispielfotos" --kamera Canon "Canon EOS 80D" "$karte" \
    IMG_0001.JPG 2024-03-14T09:05:30 \
    IMG_0002.JPG 2024-03-14T09:05:40 \
    IMG_0003.JPG 2024-03-14T09:05:50 \
    IMG_0004.JPG 2024-03-14T09:06:00 \
    IMG_0005.JPG 2024-03-14T09:06:10
cp -p "$karte"/* "$tmp/original/"
# A disk for half of them.
gesamt=$(cat "$karte"/* | wc -c)
if [ "$(id -u)" -ne 0 ] || ! mount -t tmpfs -o size=$((gesamt / 2 / 1024))k tmpfs "$bilder"; then
    echo "SKIP: cannot mount a tmpfs here"
    exit 77
fi
eingehaengt=$bilder

xvfb_starten "$tmp" "$artefakte"
programm_oeffnen "$prg/mirbelon" "C=$home;E=$E" "$artefakte/erster-start.log" 'Quelle=E:\'
sleep 2
"$bildschirmfoto" "$fenster" "$artefakte/erster-start.png"

box() { # TITLE: the visible message box of that title
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1
}
antworte() { # TITLE KEY SCREENSHOT
    local titel=$1
    hat_box() { [ -n "$(box "$titel")" ]; }
    if ! warte 30 hat_box; then
        "$bildschirmfoto" 0 "$artefakte/ohne-$3.png" || true
        echo "FAIL - no box \"$titel\" for $3"
        fehler=$((fehler + 1))
        return 0
    fi
    local id
    id=$(box "$titel")
    sleep 0.5
    "$bildschirmfoto" 0 "$artefakte/$3.png" || true
    xdotool windowfocus "$id" 2>/dev/null || true
    sleep 0.2
    xdotool key "$2"
    box_weg() { ! xdotool search --onlyvisible --name "$titel" 2>/dev/null | grep -qx "$id"; }
    warte 10 box_weg || true
}
taste() { # KEY: into the main window
    xdotool windowfocus "$fenster" 2>/dev/null || true
    sleep 0.3
    xdotool key "$1"
}
archiv=$bilder/Fotoarchiv
fotos_im_archiv() { find "$archiv" -type f ! -name '*.xxh128' 2>/dev/null | wc -l; }

taste F5
antworte 'Fotos kopieren' Return platzfrage # the default: "Nein"
sleep 1
pruefe "\"Nein\" to the space question copies nothing" test "$(fotos_im_archiv)" -eq 0

taste F5
antworte 'Fotos kopieren' alt+j platzfrage-ja
antworte 'Fotos kopieren' Return platte-voll
antworte 'Fotos auf Quell-Laufwerk' Escape loeschfrage
sleep 1
# After the one report came the delete question, not a second report.
pruefe "no second report" test -z "$(box 'Fotos kopieren')"
pruefe "no error report of the program" test -z "$(box 'Fehler im Programm')"
"$bildschirmfoto" "$fenster" "$artefakte/nach-dem-lauf.png" || true

taste F12
beendet() { ! lebt; }
pruefe "F12 ends the program" warte 30 beendet
lebt && kill "$prog_pid"
wait "$prog_pid" 2>/dev/null || true
prog_pid=""

kopien=$(fotos_im_archiv)
pruefe "some photos fitted, not all (found $kopien)" test "$kopien" -ge 1 -a "$kopien" -lt 5
for kopie in "$archiv"/*; do
    name=$(basename "$kopie")
    case $name in Mirbelon-*.xxh128) continue ;; esac # the run's receipt
    ganz=1
    case $name in .*) ganz=0 ;; esac
    passt=0
    for original in "$tmp/original"/*; do cmp -s "$kopie" "$original" && passt=1; done
    pruefe "$name is a whole photo" test "$ganz$passt" = 11
done
pruefe "the card keeps all five photos" test "$(ls "$karte" | wc -l)" -eq 5
ini=$prg/Mirbelon.ini
cp "$ini" "$artefakte/erster-start.ini" 2>/dev/null || true
kamera=$(ini_wert "$ini" Kameras last)
pruefe "the camera name came from EXIF (is '$kamera')" test "$kamera" = "Canon EOS 80D"
gesehen=$(ini_wert "$ini" "Statistik_Canon EOS 80D" "Anzahl Sum")
pruefe "the statistics count under that camera (is '$gesehen')" test "${gesehen:-0}" -ge 1

echo "screenshots and log: $artefakte"
if [ "$fehler" -ne 0 ]; then
    echo "$fehler check(s) failed"
    exit 1
fi
echo "all checks passed"
