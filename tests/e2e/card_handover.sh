#!/usr/bin/env bash
# Cards that come while the real program runs, on the desktop's way: no
# MIRBELON_DRIVES, the media folder is the test's own, cards are tmpfs mounts.
# A second start on a card (file:// URI, as the desktop passes it) hands it to
# the running program and ends at once. In a second run a start with "Quelle=?"
# makes the running program search the drives, which finds a card mounted
# after it started; then that card is taken out. Each run ends with Ctrl+S and
# F12, so the settings file tells the source it ended with.
#
#   card_handover.sh PROGRAM BEISPIELFOTOS BILDSCHIRMFOTO ARTIFACT_FOLDER
#
# Exit code 77 (skipped) when Xvfb or xdotool are missing or mounting is not allowed.
set -euo pipefail

source "$(dirname "$0")/hilfen.sh"
e2e_anfang "$@"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/mirbelon-karte.XXXXXX")
media=$tmp/media/anna
eingehaengt=()
aufraeumen() {
    prozesse_beenden
    for m in "${eingehaengt[@]}"; do
        umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true
    done
    rm -rf "$tmp"
}
trap aufraeumen EXIT

fehler=0

karte() { # NAME
    mkdir -p "$media/$1"
    mount -t tmpfs -o size=4m tmpfs "$media/$1"
    eingehaengt+=("$media/$1")
    mkdir -p "$media/$1/DCIM/100CANON"
    "$beispielfotos" "$media/$1/DCIM/100CANON" IMG_0001.JPG 2024-03-14T09:05:30 IMG_0002.JPG 2024-03-14T09:06:00
}
auswerfen() { # NAME
    umount "$media/$1"
}

mkdir -p "$media" "$tmp/home/prg" "$tmp/home/leer" "$tmp/xdg/config" "$tmp/xdg/data" "$tmp/xdg/cache" "$tmp/xdg/runtime"
chmod 700 "$tmp/xdg/runtime"
if [ "$(id -u)" -ne 0 ] || ! mount -t tmpfs -o size=1m tmpfs "$tmp/xdg/cache"; then
    echo "SKIP: cannot mount a tmpfs here"
    exit 77
fi
umount "$tmp/xdg/cache"
cp "$programm" "$tmp/home/prg/mirbelon"
ini=$tmp/home/prg/Mirbelon.ini
printf '[Quellen]\r\nxx=C:\\leer\r\n' >"$ini"

xvfb_starten "$tmp" "$artefakte"

starte() { # ARGUMENTS...; later starts must end on their own
    $vor env -u TMP -u TEMP -u MIRBELON_DRIVES \
        HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/xdg/config" XDG_DATA_HOME="$tmp/xdg/data" \
        XDG_CACHE_HOME="$tmp/xdg/cache" XDG_RUNTIME_DIR="$tmp/xdg/runtime" \
        MIRBELON_MEDIA="$media" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb \
        "$tmp/home/prg/mirbelon" "$@"
}

beendet() { ! lebt; }
fenster=""
programm_starten() {
    vor=""
    starte >>"$artefakte/karte-mirbelon.log" 2>&1 &
    prog_pid=$!
    vor="timeout 20"
    warte 30 hauptfenster >/dev/null || { echo "FAIL: no main window"; cat "$artefakte/karte-mirbelon.log"; exit 1; }
    fenster=$(hauptfenster | head -n1)
    xdotool windowsize "$fenster" 1280 1024
    sleep 1
}
taste() { # KEY
    xdotool windowfocus "$fenster" 2>/dev/null || true
    sleep 0.3
    xdotool key "$1"
}
# Ctrl+S keeps the source in the settings file, F12 ends.
programm_beenden() {
    taste ctrl+s
    taste F12
    pruefe "F12 ends the program" warte 30 beendet
    wait "$prog_pid" 2>/dev/null || true
    prog_pid=""
}

# A second start on a card inserted after the program started.
programm_starten
karte EOS_DIGITAL
printf '[Infos]\r\nKamera=Erste\r\n' >"$media/EOS_DIGITAL/Foto.ini"
start=$(date +%s)
pruefe "a second start on the card hands it over and ends" starte "file://$media/EOS_DIGITAL"
pruefe "... at once" test $(($(date +%s) - start)) -le 5
pruefe "the first program still runs" lebt
sleep 2
pruefe "one main window" test "$(hauptfenster | wc -l)" -eq 1
"$bildschirmfoto" "$fenster" "$artefakte/karte-uebergeben.png"
programm_beenden
pruefe "the handed-over card was the source (is '$(ini_wert "$ini" Quellen xx)')" test "$(ini_wert "$ini" Quellen xx)" = 'D:\'

# The drive search finds a card mounted later; its name comes first, its letter does not.
programm_starten
karte ALPHA
printf '[Infos]\r\nKamera=Zweite\r\n' >"$media/ALPHA/Foto.ini"
pruefe "a start with Quelle=? hands the drive search over" starte 'Quelle=?'
sleep 2
"$bildschirmfoto" "$fenster" "$artefakte/karte-gesucht.png"

# The card taken out: its drive is gone, the card panel reads 0 B.
auswerfen ALPHA
taste F4
sleep 1.5
"$bildschirmfoto" "$fenster" "$artefakte/karte-entnommen.png"
programm_beenden
pruefe "the drive search took the later card as E: (is '$(ini_wert "$ini" Quellen xx)')" test "$(ini_wert "$ini" Quellen xx)" = 'E:\'
pruefe "... and read its camera name (is '$(ini_wert "$ini" Kameras last)')" test "$(ini_wert "$ini" Kameras last)" = 'Zweite'

echo "screenshots and log: $artefakte"
[ "$fehler" -eq 0 ] || { echo "$fehler check(s) failed"; exit 1; }
echo "all checks passed"
