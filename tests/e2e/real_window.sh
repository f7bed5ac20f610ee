#!/usr/bin/env bash
# The real program in a real X window, driven by keystrokes as a user would:
# a card with five photos and a RAW file, F5 copies the marked photos into
# C:\Archiv, the delete question is answered "Nein" (delete only the marked
# ones), F12 ends. Then the archive, the card, the temp folder and Mirbelon.ini
# are checked.
#
#   real_window.sh PROGRAM BEISPIELFOTOS BILDSCHIRMFOTO ARTIFACT_FOLDER
#
# Exit code 77 (skipped) only when Xvfb or xdotool are not installed.
# MIRBELON_E2E_BEHALTEN=1 keeps the temporary folder for a look afterwards.
set -euo pipefail

source "$(dirname "$0")/hilfen.sh"
e2e_anfang "$@"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/mirbelon-e2e.XXXXXX")
aufraeumen() {
    prozesse_beenden
    if [ -n "${MIRBELON_E2E_BEHALTEN:-}" ]; then
        echo "kept: $tmp"
    else
        rm -rf "$tmp"
    fi
}
trap aufraeumen EXIT

fehler=0

# --- the drives, the home folders and a portable install -------------------
C=$tmp/C
E=$tmp/E
prg=$C/Programme/Mirbelon
karte=$E/DCIM/100CANON
installieren "$tmp"
mkdir -p "$karte" "$tmp/original"

export TZ=UTC XDG_RUNTIME_DIR=$tmp/xdg/runtime
"$beispielfotos" "$karte" \
    IMG_0001.JPG 2024-03-14T09:05:30 \
    IMG_0002.JPG 2024-03-14T17:45:02 \
    IMG_0003.JPG 2024-07-01T12:00:00 \
    IMG_0004.JPG 2024-07-01T12:00:00 \
    IMG_0005.JPG 2025-12-31T23:59:58 \
    IMG_0099.CR2 2025-01-01T08:00:00
cp -p "$karte"/* "$tmp/original/"
printf '[Infos]\r\nKamera=E2E-Kamera\r\n' >"$E/Foto.ini"
printf '[Ziele]\r\nxx=C:\\Archiv\r\n[Quellen]\r\nxx=E:\\\r\n' >"$prg/Mirbelon.ini"

# --- the X server --------------------------------------------------------
xvfb_starten "$tmp" "$artefakte"

# --- start the program as a user would -----------------------------------
programm_oeffnen "$prg/mirbelon" "C=$C;E=$E" "$artefakte/mirbelon.log" 'Quelle=E:\'
# The first scan, the first preview and the status bar hints follow within a second.
sleep 2
"$bildschirmfoto" "$fenster" "$artefakte/hauptfenster.png"
pruefe "a screenshot of the main window was saved" test -s "$artefakte/hauptfenster.png"

xdotool windowfocus "$fenster" 2>/dev/null || true
sleep 0.3
xdotool key F5

# The delete question follows the copy run.
frage() { xdotool search --onlyvisible --name 'Fotos auf Quell-Laufwerk' 2>/dev/null | head -n1; }
hat_frage() { [ -n "$(frage)" ]; }
if ! warte 60 hat_frage; then
    "$bildschirmfoto" 0 "$artefakte/ohne-frage.png" || true
    echo "FAIL: the delete question did not appear"
    exit 1
fi
dialog=$(frage)
sleep 0.5
"$bildschirmfoto" 0 "$artefakte/loeschfrage.png"
xdotool windowfocus "$dialog" 2>/dev/null || true
sleep 0.2
xdotool key alt+n # "&Nein": delete only the marked photos

jpgs_weg() { ! ls "$karte"/*.JPG >/dev/null 2>&1; }
pruefe "the marked photos were deleted from the card" warte 30 jpgs_weg
sleep 1
"$bildschirmfoto" "$fenster" "$artefakte/nach-dem-loeschen.png" || true

xdotool windowfocus "$fenster" 2>/dev/null || true
sleep 0.2
xdotool key F12
beendet() { ! lebt; }
pruefe "F12 ends the program" warte 30 beendet
if lebt; then
    kill "$prog_pid"
fi
wait "$prog_pid" 2>/dev/null || true
prog_pid=""

# --- the archive -----------------------------------------------------------
archiv=$C/Archiv
declare -A erwartet=(
    [2024_0314-090530.jpg]=IMG_0001.JPG
    [2024_0314-174502.jpg]=IMG_0002.JPG
    [2024_0701-120000.jpg]=IMG_0003.JPG
    [2024_0701-120000-01.jpg]=IMG_0004.JPG
    [2025_1231-235958.jpg]=IMG_0005.JPG
)
for ziel in "${!erwartet[@]}"; do
    pruefe "archive holds $ziel, byte-equal to ${erwartet[$ziel]}" \
        cmp -s "$archiv/$ziel" "$tmp/original/${erwartet[$ziel]}"
done
anzahl=$(find "$archiv" -type f ! -name '*.xxh128' 2>/dev/null | wc -l)
pruefe "archive holds exactly the five marked photos (found $anzahl)" test "$anzahl" -eq 5

# --- the card and the temp folder ----------------------------------------
pruefe "the unmarked RAW file stays on the card" cmp -s "$karte/IMG_0099.CR2" "$tmp/original/IMG_0099.CR2"
pruefe "Foto.ini stays on the card" test -f "$E/Foto.ini"
temp=$tmp/xdg/cache/Brenlo/Temp
# The copies take the name as the list shows it, in proper case (Img_0001.jpg).
for foto in IMG_0001.JPG IMG_0002.JPG IMG_0003.JPG IMG_0004.JPG IMG_0005.JPG; do
    kopie=$(find "$temp" -maxdepth 1 -iname "$foto" 2>/dev/null | head -n1)
    pruefe "a copy of the deleted $foto is in the temp folder" cmp -s "${kopie:-/nonexistent}" "$tmp/original/$foto"
done

# --- the settings file -----------------------------------------------------
ini=$prg/Mirbelon.ini
cp "$ini" "$artefakte/Mirbelon.ini"
gleich() { # SECTION KEY EXPECTED
    local wert
    wert=$(ini_wert "$ini" "$1" "$2")
    pruefe "[$1] $2=$3 (is '$wert')" test "$wert" = "$3"
}
gleich Statistik_Summe "Anzahl Sum" 6
gleich Statistik_Summe "Anzahl Cpy" 5
gleich Statistik_E2E-Kamera "Anzahl Sum" 6
gleich Statistik_E2E-Kamera "Anzahl Cpy" 5
gleich Mirbelon Nr3 6
gleich Performance Messungen 1
gleich Kameras last E2E-Kamera
gleich Ziele xx 'C:\Archiv'
gleich Quellen xx 'E:\'
gleich Mirbelon Nr1 '{jjjj}_{mm}{tt}-{hh}{nn}{ss}'
lst=$(ini_wert "$ini" Statistik_E2E-Kamera "Anzahl Lst")
pruefe "[Statistik_E2E-Kamera] Anzahl Lst is a time stamp (is '$lst')" \
    grep -Eq '^[0-9]{4}\.[0-9]{2}\.[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}$' <<<"$lst"
pruefe "the settings file has CRLF lines" grep -q $'\r$' "$ini"
pruefe "the family folder was made in the test's own XDG_CONFIG_HOME" test -d "$tmp/xdg/config/Brenlo"

echo "screenshots and log: $artefakte"
if [ "$fehler" -ne 0 ]; then
    echo "$fehler check(s) failed"
    exit 1
fi
echo "all checks passed"
