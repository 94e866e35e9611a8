# Sourced by the end-to-end runner and the benchmarks: an X server, a session
# bus and a tray of their own, and the built application inside them.
# Every process started here is stopped by session_stop (install it as a trap).

SESSION_PIDS=()
SESSION_TMP=""

session_fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

session_need()
{
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 ||
            session_fail "$tool is missing (bash scripts/install-deps installs it)"
    done
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

# Starts Xvfb on a free display, a private session bus and trayer.
# Sets DISPLAY, DBUS_SESSION_BUS_ADDRESS and the XDG folders of a fresh user.
session_start()
{
    session_need Xvfb trayer xdotool xwininfo xprop dbus-daemon
    SESSION_TMP=$(mktemp -d /tmp/zembrak-e2e.XXXXXX)
    mkdir -p "$SESSION_TMP/config" "$SESSION_TMP/cache" "$SESSION_TMP/runtime"
    chmod 700 "$SESSION_TMP/runtime"

    # Xvfb picks a free display itself and writes its number to the fd.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
        3>"$SESSION_TMP/display" >"$SESSION_TMP/xvfb.log" 2>&1 &
    SESSION_PIDS+=($!)
    session_wait_for 10 test -s "$SESSION_TMP/display" ||
        session_fail "Xvfb did not start: $(cat "$SESSION_TMP/xvfb.log")"
    export DISPLAY=":$(head -n1 "$SESSION_TMP/display")"

    dbus-daemon --session --nofork --print-address=3 \
        3>"$SESSION_TMP/bus" >"$SESSION_TMP/dbus.log" 2>&1 &
    SESSION_PIDS+=($!)
    session_wait_for 10 test -s "$SESSION_TMP/bus" || session_fail "dbus-daemon did not start"
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$SESSION_TMP/bus")

    export XDG_CONFIG_HOME="$SESSION_TMP/config"
    export XDG_CACHE_HOME="$SESSION_TMP/cache"
    export XDG_RUNTIME_DIR="$SESSION_TMP/runtime"
    export QT_QPA_PLATFORM=xcb
    unset SESSION_MANAGER

    session_start_tray
}

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

session_stop_tray()
{
    kill "$TRAY_PID" 2>/dev/null || true
    wait "$TRAY_PID" 2>/dev/null || true
}

# trayer's panel window id.
session_tray_window()
{
    # awk reads to the end: an early exit would break the pipe under pipefail.
    xwininfo -root -tree 2>/dev/null | awk '!found && /\("panel" "trayer"\)/ { print $1; found = 1 }
        END { exit !found }'
}

# Starts the application ($1) with the session's environment; sets APP_PID.
session_start_app()
{
    "$1" >"$SESSION_TMP/app.log" 2>&1 &
    APP_PID=$!
    SESSION_PIDS+=("$APP_PID")
}

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
            if [ "$((parent))" = "$((panel))" ]; then
                printf '0x%x\n' "$window"
                return 0
            fi
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

# "X Y W H" of the application's popover (a visible window of its own at least
# 150 x 60 that is not the item $1), or nothing.
session_popover_window()
{
    local window px py pw ph
    for window in $(xdotool search --onlyvisible --classname '^zembrak$' 2>/dev/null); do
        [ "$(printf '0x%x' "$window")" = "$1" ] && continue
        read -r px py pw ph < <(session_geometry "$window")
        if [ "$pw" -ge 150 ] && [ "$ph" -ge 60 ]; then
            echo "$px $py $pw $ph"
            return 0
        fi
    done
    return 1
}

# True once the popover stands still: it may be placed or resized after it shows.
session_popover_settled()
{
    local first second
    first=$(session_popover_window "$1") && sleep 0.3 &&
        second=$(session_popover_window "$1") && [ "$first" = "$second" ]
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
