# Shell helpers of the tests that drive the real program under Xvfb.
# Sourced; the caller sets `fehler=0` and cleans up.

# Takes the arguments of such a test: sets programm, beispielfotos,
# bildschirmfoto and artefakte; exits 77 (skipped) without Xvfb or xdotool.
e2e_anfang() { # PROGRAM BEISPIELFOTOS BILDSCHIRMFOTO ARTIFACT_FOLDER
    programm=$(readlink -f "$1")
    beispielfotos=$(readlink -f "$2")
    bildschirmfoto=$(readlink -f "$3")
    local werkzeug
    for werkzeug in Xvfb xdotool; do
        if ! command -v "$werkzeug" >/dev/null; then
            echo "SKIP: $werkzeug is not installed (make deps installs it)"
            exit 77
        fi
    done
    mkdir -p "$4"
    artefakte=$(readlink -f "$4")
    xvfb_pid=""
    prog_pid=""
}

# Ends what the test started: the program (prog_pid) and Xvfb.
prozesse_beenden() {
    [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
}

pruefe() { # MESSAGE COMMAND...
    local text=$1
    shift
    if "$@"; then
        echo "ok   - $text"
    else
        echo "FAIL - $text"
        fehler=$((fehler + 1))
    fi
}

# Waits up to SECONDS for COMMAND to succeed.
warte() { # SECONDS COMMAND...
    local bis=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -ge "$bis" ] && return 1
        sleep 0.2
    done
}

# One value of an ini file: sections and keys without regard to case, CRLF lines.
ini_wert() { # FILE SECTION KEY
    tr -d '\r' <"$1" | awk -v s="$2" -v k="$3" '
        BEGIN { s = tolower(s); k = tolower(k) }
        /^\[/ { drin = (tolower($0) == "[" s "]"); next }
        drin { p = index($0, "="); if (p > 0 && tolower(substr($0, 1, p - 1)) == k) { print substr($0, p + 1); exit } }'
}

# Starts Xvfb, sets xvfb_pid and exports DISPLAY.
xvfb_starten() { # TEMP_FOLDER ARTIFACT_FOLDER
    exec 3>"$1/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$2/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    warte 20 test -s "$1/display" || { echo "FAIL: Xvfb did not start"; exit 1; }
    export DISPLAY=:$(head -n1 "$1/display")
}

# The main windows: the visible "Mirbelon" windows wider than the title window.
hauptfenster() {
    local id breite gefunden=1
    for id in $(xdotool search --onlyvisible --name '^Mirbelon$' 2>/dev/null); do
        breite=$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p')
        if [ "${breite:-0}" -ge 700 ]; then
            echo "$id"
            gefunden=0
        fi
    done
    return $gefunden
}

# A portable install on drive C, drive E and the home folders of a user,
# under TEMP_FOLDER.
installieren() { # TEMP_FOLDER
    mkdir -p "$1/C/Programme/Mirbelon" "$1/E" "$1/home" "$1/xdg/config" "$1/xdg/data" \
             "$1/xdg/cache" "$1/xdg/runtime"
    chmod 700 "$1/xdg/runtime"
    cp "$programm" "$1/C/Programme/Mirbelon/mirbelon"
}

# Starts the program as a user would, with the caller's $tmp/home and
# $tmp/xdg folders and the drive table DRIVES; sets prog_pid and, once the main
# window is up, fenster.
programm_oeffnen() { # EXECUTABLE DRIVES LOG ARGUMENTS...
    local exe=$1 laufwerke=$2 log=$3
    shift 3
    env -u TMP -u TEMP -u QT_QPA_PLATFORM \
        HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/xdg/config" XDG_DATA_HOME="$tmp/xdg/data" \
        XDG_CACHE_HOME="$tmp/xdg/cache" XDG_RUNTIME_DIR="$tmp/xdg/runtime" \
        MIRBELON_DRIVES="$laufwerke" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb \
        "$exe" "$@" >"$log" 2>&1 &
    prog_pid=$!
    warte 30 hauptfenster >/dev/null || { echo "FAIL: no main window"; cat "$log"; exit 1; }
    fenster=$(hauptfenster)
    # The program maximises its window; Xvfb has no window manager to do it, so
    # the test gives the window the whole screen as one would.
    xdotool windowsize "$fenster" 1280 1024
}

lebt() { kill -0 "$prog_pid" 2>/dev/null; }
