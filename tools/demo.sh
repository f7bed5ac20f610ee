#!/usr/bin/env bash
# A sample card for a first look: three dozen photos taken over two years (two
# of them in the same second), a portrait photo stored turned as cameras do,
# three RAW files with embedded previews and a Foto.ini with a camera name, on
# drive E: of a temporary drive table; the archive goes to C:\Fotoarchiv.
#
#   demo.sh PROGRAM BEISPIELFOTOS
#
# Everything lives in one temporary folder, which is kept afterwards so that
# the archive and the settings can be looked at.
set -euo pipefail

programm=$(readlink -f "$1")
beispielfotos=$(readlink -f "$2")

tmp=$(mktemp -d "${TMPDIR:-/tmp}/mirbelon-demo.XXXXXX")
C=$tmp/C
E=$tmp/E
prg=$C/Programme/Mirbelon
mkdir -p "$prg" "$E/DCIM/100DEMO" "$tmp/home" "$tmp/xdg/config" "$tmp/xdg/data" "$tmp/xdg/cache"
cp "$programm" "$prg/mirbelon"

fotos=()
for i in $(seq 1 36); do
    monat=$(( (i * 7) % 12 + 1 ))
    tag=$(( (i * 11) % 28 + 1 ))
    stunde=$(( (i * 5) % 14 + 7 ))
    jahr=$(( 2025 + i % 2 ))
    fotos+=("$(printf 'IMG_%04d.JPG' "$i")"
            "$(printf '%04d-%02d-%02dT%02d:%02d:%02d' "$jahr" "$monat" "$tag" "$stunde" $(( i % 60 )) $(( (i * 13) % 60 )))")
done
# Two photos of one second: the archive numbers the second one "-01".
fotos+=(IMG_0037.JPG 2026-08-15T14:30:00 IMG_0038.JPG 2026-08-15T14:30:00)
fotos+=(IMG_0039.CR2 2026-08-15T14:31:10 IMG_0040.NEF 2026-08-15T14:32:20 IMG_0041.DNG 2026-08-15T14:33:30)
fotos+=(hoch:IMG_0042.JPG 2026-08-15T14:34:40)
"$beispielfotos" "$E/DCIM/100DEMO" "${fotos[@]}"
printf '[Infos]\r\nKamera=Demo-Kamera\r\n' >"$E/Foto.ini"
printf '[Ziele]\r\nxx=C:\\Fotoarchiv\r\n[Quellen]\r\nxx=E:\\\r\n[Mirbelon]\r\nFormate=*.bmp;*.jpg;*.gif;*.tif;*.avi;*.mov;*.cr2;*.nef;*.dng\r\n' >"$prg/Mirbelon.ini"

cat <<TEXT
Demo-Karte:  $E  (Laufwerk E:)
Fotoarchiv:  $C/Fotoarchiv  (Laufwerk C:)

Zum Ausprobieren: Pfeiltasten blättern durch die Fotos, die Leertaste setzt
oder löscht eine Marke, F5 kopiert die markierten Fotos ins Archiv und fragt
danach, ob die Karte geleert werden soll, F12 beendet das Programm.
TEXT

env -u TMP -u TEMP \
    HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/xdg/config" XDG_DATA_HOME="$tmp/xdg/data" \
    XDG_CACHE_HOME="$tmp/xdg/cache" MIRBELON_DRIVES="C=$C;E=$E" \
    "$prg/mirbelon" 'Quelle=E:\' || true

echo
echo "Archiv:        $C/Fotoarchiv"
echo "Einstellungen: $prg/Mirbelon.ini"
echo "(alles liegt in $tmp)"
