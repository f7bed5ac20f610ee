#!/usr/bin/env bash
# Installs the build into a temporary prefix and validates the installed
# desktop entry and AppStream metainfo as the desktop reads them.
#
#   desktop_files.sh BUILD_FOLDER
set -euo pipefail

build=$1
for werkzeug in desktop-file-validate appstreamcli; do
    if ! command -v "$werkzeug" >/dev/null; then
        echo "FAIL: $werkzeug is not installed (make deps installs it)"
        exit 1
    fi
done

prefix=$(mktemp -d "${TMPDIR:-/tmp}/mirbelon-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop=$prefix/share/applications/mirbelon.desktop
metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml)
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
appstreamcli validate-tree --no-net "$prefix"
# The desktop offers the program for a camera card only with both in place.
grep -qx 'MimeType=x-content/image-dcf;' "$desktop"
grep -q '<mediatype>x-content/image-dcf</mediatype>' "$metainfo"
echo "installed desktop files are valid"
