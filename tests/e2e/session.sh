# Sourced by the end-to-end driver (run-e2e) and the benchmarks: an X server, a
# session bus and a tray of their own, and the built application inside them.
# Every process started here is stopped by session_stop (install it as a trap).

SESSION_PIDS=()
SESSION_TMP=""
SESSION_BUS_CONFIG=$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/session-bus.conf

session_fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

session_need()
{
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || session_fail "$tool is missing (bash scripts/install-deps installs it)"
    done
}

# Runs the calling runner again under a time limit of SECONDS, so that a stuck
# check never holds the suite.
session_time_limit()
{
    local seconds=$1
    shift
    if [ -z "${ZEMBRAK_E2E_TIMED:-}" ]; then
        export ZEMBRAK_E2E_TIMED=1
        exec timeout -k 5 "$seconds" bash "$0" "$@"
    fi
}

# session_runner_start BUILD_DIR ARTIFACTS_DIR: sets E2E_APP, E2E_SHOT and
# E2E_ARTIFACTS, empties the artifacts of an earlier run and installs the traps
# that stop everything and keep the logs (and the screen when a check failed).
session_runner_start()
{
    local build
    build=$(cd "$1" 2>/dev/null && pwd) || session_fail "no build directory $1"
    E2E_ARTIFACTS=${2:-$build/e2e-artifacts}
    E2E_APP=$build/bin/zembrak
    E2E_SHOT=$build/tests/e2e-shot
    [ -x "$E2E_APP" ] && [ -x "$E2E_SHOT" ] || session_fail "build zembrak and e2e-shot first"
    mkdir -p "$E2E_ARTIFACTS"
    rm -f "$E2E_ARTIFACTS"/*.png "$E2E_ARTIFACTS"/*.log
    trap session_finish EXIT
    trap 'echo "FAIL: the run did not finish in time" >&2; exit 1' TERM INT
}

session_finish()
{
    local status=$?
    [ "$status" -eq 0 ] || [ -z "${DISPLAY:-}" ] || "$E2E_SHOT" "$E2E_ARTIFACTS/failed.png" >/dev/null 2>&1 || true
    [ -z "$SESSION_TMP" ] || cp "$SESSION_TMP"/*.log "$E2E_ARTIFACTS"/ 2>/dev/null || true
    session_stop
    [ "$status" -eq 0 ] && echo "e2e: all checks passed; artifacts in $E2E_ARTIFACTS" ||
        echo "e2e: failed; artifacts in $E2E_ARTIFACTS" >&2
}

# Runs "$@" until it succeeds or SECONDS_ passes; returns its last status.
session_wait_for()
{
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# An X server of the session's own; sets DISPLAY. The number is random in a wide
# range and the server is asked for its root window before use: a server that is
# shutting down may still remove the socket of a new one on the number it gave up
# (which -displayfd, taking the lowest free number, runs into side by side).
session_start_x()
{
    local attempt display pid
    for attempt in 1 2 3 4 5 6 7 8; do
        display=$((200 + RANDOM % 30000))
        # -noreset: a server resets when its last client leaves, refusing the next meanwhile.
        Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset \
            >"$SESSION_TMP/xvfb.log" 2>&1 &
        pid=$!
        if session_x_ready "$pid" ":$display"; then
            SESSION_PIDS+=("$pid")
            export DISPLAY=":$display"
            return 0
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    session_fail "Xvfb did not start: $(cat "$SESSION_TMP/xvfb.log")"
}

# True once the server PID answers on DISPLAY_, twice; false at once when it quit.
session_x_ready()
{
    local deadline=$((SECONDS + 10)) answers=0
    while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$1" 2>/dev/null; do
        if xprop -display "$2" -root WM_NAME >/dev/null 2>&1; then
            answers=$((answers + 1))
            [ "$answers" -lt 2 ] || return 0
        fi
        sleep 0.2
    done
    return 1
}

# Starts Xvfb on a free display, a private session bus and trayer (not with
# "notray": a desktop whose panel hosts StatusNotifierItems has no XEmbed tray).
# Sets DISPLAY, DBUS_SESSION_BUS_ADDRESS and the XDG folders of a fresh user.
session_start()
{
    session_need Xvfb trayer xdotool xwininfo xprop dbus-daemon
    SESSION_TMP=$(mktemp -d /tmp/zembrak-e2e.XXXXXX)
    mkdir -p "$SESSION_TMP/config" "$SESSION_TMP/cache" "$SESSION_TMP/runtime"
    chmod 700 "$SESSION_TMP/runtime"

    export XDG_CONFIG_HOME="$SESSION_TMP/config"
    export XDG_CACHE_HOME="$SESSION_TMP/cache"
    export XDG_RUNTIME_DIR="$SESSION_TMP/runtime"
    export QT_QPA_PLATFORM=xcb
    unset SESSION_MANAGER

    session_start_x

    # Its own configuration: no service folders, so the machine's notification
    # daemon or portal is never started on the desktop under test.
    dbus-daemon --config-file="$SESSION_BUS_CONFIG" --nofork --print-address=3 \
        3>"$SESSION_TMP/bus" >"$SESSION_TMP/dbus.log" 2>&1 &
    SESSION_PIDS+=($!)
    session_wait_for 10 test -s "$SESSION_TMP/bus" || session_fail "dbus-daemon did not start"
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$SESSION_TMP/bus")

    [ "${1:-}" = notray ] || session_start_tray
}

# An accessibility bus (AT-SPI) and its registry in the session: Qt programs
# started afterwards show their widgets there, to be read from outside.
session_start_accessibility()
{
    local launcher=/usr/libexec/at-spi-bus-launcher registry=/usr/libexec/at-spi2-registryd
    [ -x "$launcher" ] && [ -x "$registry" ] ||
        session_fail "at-spi2-core is missing (bash scripts/install-deps installs it)"
    "$launcher" --launch-immediately >"$SESSION_TMP/atspi.log" 2>&1 &
    SESSION_PIDS+=($!)
    # Asked before it owns its name, the bus would start a second launcher of its own.
    session_wait_for 10 session_bus_has_owner org.a11y.Bus &&
        session_wait_for 10 session_accessibility_bus >/dev/null ||
        session_fail "the accessibility bus did not start: $(cat "$SESSION_TMP/atspi.log")"
    # Started here, not by bus activation, so that it is stopped with the rest.
    "$registry" >>"$SESSION_TMP/atspi.log" 2>&1 &
    SESSION_PIDS+=($!)
    session_wait_for 10 session_accessibility_registry ||
        session_fail "the accessibility registry did not start: $(cat "$SESSION_TMP/atspi.log")"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# True when NAME is owned on the bus at ADDRESS (by default the session's); asks
# the bus itself, so that nothing is started for the name.
session_bus_has_owner()
{
    dbus-send --bus="${2:-$DBUS_SESSION_BUS_ADDRESS}" --print-reply=literal \
        --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
        "string:$1" 2>/dev/null | grep -q true
}

# The accessibility bus's address, asked of the launcher on the session bus.
session_accessibility_bus()
{
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null | awk 'NF { print $1; found = 1 } END { exit !found }'
}
session_accessibility_registry() { local bus; bus=$(session_accessibility_bus) && session_bus_has_owner org.a11y.atspi.Registry "$bus"; }

# A top panel at the right as a user of a light desktop would set it up; sets TRAY_PID.
session_start_tray()
{
    trayer --edge top --align right --widthtype request --height 24 \
        --transparent false --SetDockType true --SetPartialStrut true \
        >>"$SESSION_TMP/trayer.log" 2>&1 &
    TRAY_PID=$!
    SESSION_PIDS+=("$TRAY_PID")
    session_wait_for 10 session_tray_window >/dev/null ||
        session_fail "trayer did not show its panel: $(cat "$SESSION_TMP/trayer.log")"
}

session_stop_tray() { kill "$TRAY_PID" 2>/dev/null && wait "$TRAY_PID" 2>/dev/null || true; }

# trayer's panel window id.
session_tray_window()
{
    # awk reads to the end: an early exit would break the pipe under pipefail.
    xwininfo -root -tree 2>/dev/null | awk '!found && /\("panel" "trayer"\)/ { print $1; found = 1 }
        END { exit !found }'
}

# Starts the application ($1) with the session's environment; sets APP_PID.
session_start_app() { "$1" >"$SESSION_TMP/app.log" 2>&1 & APP_PID=$!; SESSION_PIDS+=("$APP_PID"); }

# The application's window inside the tray, or nothing.
session_docked_window()
{
    local panel window parent
    panel=$(session_tray_window) || return 1
    for window in $(xdotool search --classname '^zembrak$' 2>/dev/null); do
        parent=$(printf '0x%x' "$window")
        # Walk up the parents: the tray puts its icons in sockets inside the panel.
        while [ -n "$parent" ] && [ "$parent" != 0x0 ]; do
            parent=$(xwininfo -id "$parent" -tree 2>/dev/null | awk '/Parent window id/ { print $4 }')
            [ "$((parent))" != "$((panel))" ] || { printf '0x%x\n' "$window" && return 0; }
        done
    done
    return 1
}

# "X Y W H" of a window on the root.
session_geometry()
{
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# The application's popover (a visible window of its own at least 150 x 60 that
# is not the item $1), or nothing.
session_popover_id()
{
    local window id pw ph
    for window in $(xdotool search --onlyvisible --classname '^zembrak$' 2>/dev/null); do
        id=$(printf '0x%x' "$window")
        [ "$id" = "$1" ] && continue
        read -r _ _ pw ph < <(session_geometry "$id")
        [ "$pw" -lt 150 ] || [ "$ph" -lt 60 ] || { echo "$id" && return 0; }
    done
    return 1
}

# "X Y W H" of the popover, or nothing.
session_popover_window() { local id; id=$(session_popover_id "$1") && session_geometry "$id"; }

# True once the popover stands still: it may be placed or resized after it shows.
session_popover_settled()
{
    local id
    id=$(session_popover_id "$1") && session_window_settled "$id"
}

# Waits for the application's item to dock; sets ITEM and ITEM_X ITEM_Y ITEM_W ITEM_H.
session_dock_item()
{
    if ! session_wait_for 10 session_docked_window >/dev/null; then
        xwininfo -root -tree >"$E2E_ARTIFACTS/tree.log" 2>&1 || true
        session_fail "the application's window never became a child of trayer's panel (see tree.log, app.log)"
    fi
    ITEM=$(session_docked_window)
    # The tray sizes a new icon more than once (a height of 22, then 21): a
    # geometry read at once may not be the one the application anchors to.
    session_wait_for 5 session_window_settled "$ITEM" ||
        session_fail "the docked window $ITEM kept moving"
    read -r ITEM_X ITEM_Y ITEM_W ITEM_H < <(session_geometry "$ITEM")
    echo "e2e: docked window $ITEM at $ITEM_X,$ITEM_Y size ${ITEM_W}x$ITEM_H"
}

# True once window $1 stands still.
session_window_settled()
{
    local first second
    first=$(session_geometry "$1") && sleep 0.3 && second=$(session_geometry "$1") &&
        [ "$first" = "$second" ]
}

session_click_item()
{
    xdotool mousemove $((ITEM_X + ITEM_W / 2)) $((ITEM_Y + ITEM_H / 2)) click 1
}

# Clicks the item and waits for the popover; sets POPOVER_X POPOVER_Y POPOVER_W POPOVER_H.
session_open_popover()
{
    session_click_item
    session_wait_for 5 session_popover_settled "$ITEM" ||
        session_fail "a click on the item opened no popover"
    read -r POPOVER_X POPOVER_Y POPOVER_W POPOVER_H < <(session_popover_window "$ITEM")
    # Where the item is now is what the application anchored the popover to.
    read -r ITEM_X ITEM_Y ITEM_W ITEM_H < <(session_geometry "$ITEM")
    echo "e2e: popover at $POPOVER_X,$POPOVER_Y size ${POPOVER_W}x$POPOVER_H"
}

# The decoded bytes of the data value KEY ({"$data": base64}) in the store FILE.
session_stored_data()
{
    [ -f "$1" ] || return 1
    tr -d ' \n' <"$1" | grep -o "\"$2\":{\"\\\$data\":\"[^\"]*\"" |
        sed 's/.*"\$data":"\([^"]*\)"/\1/' | base64 -d
}

session_stop()
{
    local i
    for ((i = ${#SESSION_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${SESSION_PIDS[i]}" 2>/dev/null || true
    done
    for pid in "${SESSION_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    SESSION_PIDS=()
    [ -z "$SESSION_TMP" ] || rm -rf "$SESSION_TMP"
    SESSION_TMP=""
}
