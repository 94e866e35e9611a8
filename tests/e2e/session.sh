# Sourced by the end-to-end runners and the benchmarks: an X server, a session bus and a
# tray of their own, and the built application inside them, all stopped by session_stop.

SESSION_PIDS=()
SESSION_AS=() # runs the X clients that read windows, as the desktop's user where it is not ours
SESSION_TMP=""
SESSION_STEP=""
SESSION_STARTED=$SECONDS
SESSION_BUS_CONFIG=$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/session-bus.conf

session_fail() { echo "FAIL: $*" >&2; exit 1; }

session_need()
{
    local t
    for t in "$@"; do command -v "$t" >/dev/null || session_fail "$t is missing (bash scripts/install-deps installs it)"; done
}

# Runs the calling runner again under a time limit of SECONDS.
session_time_limit() { [ -n "${ZEMBRAK_E2E_TIMED:-}" ] || ZEMBRAK_E2E_TIMED=1 exec timeout -k 5 "$1" bash "$0" "${@:2}"; }

# session_runner_start BUILD_DIR [ARTIFACTS_DIR]: sets E2E_APP, E2E_TOOLS (the test
# programs), E2E_SHOT (a command: the X screen to a PNG) and E2E_ARTIFACTS; on exit
# everything stops and the logs (and a failed screen) are kept.
session_runner_start()
{
    local build
    build=$(cd "$1" 2>/dev/null && pwd) || session_fail "no build directory $1"
    E2E_ARTIFACTS=${2:-$build/e2e-artifacts}
    E2E_APP=$build/bin/zembrak
    E2E_TOOLS=$build/tests
    E2E_SHOT=session_shot
    [ -x "$E2E_APP" ] || session_fail "build zembrak first"
    session_need /usr/bin/import
    mkdir -p "$E2E_ARTIFACTS"
    rm -f "$E2E_ARTIFACTS"/*.png "$E2E_ARTIFACTS"/*.log
    trap session_finish EXIT
    trap 'echo "FAIL: the run did not finish in time${SESSION_STEP:+, waiting for: $SESSION_STEP}" >&2; exit 1' TERM INT
}

# The whole X screen (every monitor) to the PNG file $1.
session_shot() { /usr/bin/import -window root "$1"; }

session_finish()
{
    local status=$?
    [ "$status" -eq 0 ] || [ -z "${DISPLAY:-}" ] || "$E2E_SHOT" "$E2E_ARTIFACTS/failed.png" >/dev/null 2>&1 || true
    [ -z "$SESSION_TMP" ] || cp "$SESSION_TMP"/*.log "$E2E_ARTIFACTS"/ 2>/dev/null || true
    # CI shows only this output: what the application said last tells why it failed.
    [ "$status" -eq 0 ] || [ ! -s "$E2E_ARTIFACTS/app.log" ] ||
        { echo "e2e: the end of app.log:" && tail -n 15 "$E2E_ARTIFACTS/app.log"; } >&2
    session_stop
    [ "$status" -eq 0 ] && echo "e2e: all checks passed; artifacts in $E2E_ARTIFACTS" ||
        echo "e2e: failed; artifacts in $E2E_ARTIFACTS" >&2
}

# session_wait_for SECONDS COMMAND...: runs COMMAND until it succeeds; false once SECONDS pass.
# SESSION_STEP names it, for a run that ends at its time limit meanwhile.
session_wait_for()
{
    local deadline=$((SECONDS + $1)) status=0
    shift
    SESSION_STEP="$* ($((SECONDS - SESSION_STARTED)) s into the run)"
    until "$@"; do [ "$SECONDS" -lt "$deadline" ] && sleep 0.1 || { status=1 && break; }; done
    SESSION_STEP=""
    return "$status"
}

# True once PID has ended (a child not yet waited for stays a zombie).
session_exited() { local state; state=$(ps -o stat= -p "$1") || return 0; [[ $state == Z* ]]; }

# Ends PID with SIGTERM, as a session's end does; fails if it is still there after 10 s.
session_end_process()
{
    kill "$1" 2>/dev/null || return 0
    session_wait_for 10 session_exited "$1" ||
        session_fail "${2:-process $1} was still running 10 s after SIGTERM"
    wait "$1" 2>/dev/null || true
}

# An X server of the session's own; sets DISPLAY. A random number, and two answers
# before use: a server shutting down may remove the socket of a new one.
session_start_x()
{
    local attempt display pid deadline answers
    for attempt in 1 2 3 4 5 6 7 8; do
        display=$((200 + RANDOM % 30000))
        # -noreset: a server resets when its last client leaves, refusing the next meanwhile.
        Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset \
            >"$SESSION_TMP/xvfb.log" 2>&1 &
        pid=$!
        deadline=$((SECONDS + 10)) answers=0
        while [ "$SECONDS" -lt "$deadline" ] && [ "$answers" -lt 2 ] && kill -0 "$pid" 2>/dev/null; do
            xprop -display ":$display" -root WM_NAME >/dev/null 2>&1 && answers=$((answers + 1))
            sleep 0.2
        done
        [ "$answers" -lt 2 ] || { SESSION_PIDS+=("$pid") && export DISPLAY=":$display" && return 0; }
        { kill "$pid" && wait "$pid"; } 2>/dev/null || true
    done
    session_fail "Xvfb did not start: $(cat "$SESSION_TMP/xvfb.log")"
}

# Xvfb, private session and system buses, the XDG folders of a fresh user and trayer (not
# with "notray": a panel that hosts StatusNotifierItems has no XEmbed tray).
session_start()
{
    session_need Xvfb trayer xdotool xwininfo xprop dbus-daemon
    SESSION_TMP=$(mktemp -d /tmp/zembrak-e2e.XXXXXX)
    mkdir -p "$SESSION_TMP/config" "$SESSION_TMP/cache" "$SESSION_TMP/data" "$SESSION_TMP/runtime"
    chmod 700 "$SESSION_TMP/runtime"
    export XDG_CONFIG_HOME="$SESSION_TMP/config" XDG_CACHE_HOME="$SESSION_TMP/cache"
    export XDG_DATA_HOME="$SESSION_TMP/data"
    export XDG_RUNTIME_DIR="$SESSION_TMP/runtime" QT_QPA_PLATFORM=xcb
    unset SESSION_MANAGER
    session_start_x
    # No service folders: the machine's notification daemon or portal never starts here.
    dbus-daemon --config-file="$SESSION_BUS_CONFIG" --nofork --print-address=3 \
        3>"$SESSION_TMP/bus" >"$SESSION_TMP/dbus.log" 2>&1 &
    SESSION_PIDS+=($!)
    session_wait_for 10 test -s "$SESSION_TMP/bus" || session_fail "dbus-daemon did not start"
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$SESSION_TMP/bus")
    # A system bus of its own too: the machine's logind is never heard; a scenario
    # that needs one starts a fake there.
    dbus-daemon --config-file="$SESSION_BUS_CONFIG" --nofork --print-address=3 \
        3>"$SESSION_TMP/system-bus" >>"$SESSION_TMP/dbus.log" 2>&1 &
    SESSION_PIDS+=($!)
    session_wait_for 10 test -s "$SESSION_TMP/system-bus" || session_fail "the system dbus-daemon did not start"
    export DBUS_SYSTEM_BUS_ADDRESS=$(head -n1 "$SESSION_TMP/system-bus")
    [ "${1:-}" = notray ] || session_start_tray
}

# An accessibility bus (AT-SPI) and its registry, for Qt programs started afterwards.
session_start_accessibility()
{
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$SESSION_TMP/atspi.log" 2>&1 &
    SESSION_PIDS+=($!)
    # Asked before it owns its name, the bus would start a second launcher of its own.
    session_wait_for 10 session_bus_has_owner org.a11y.Bus &&
        session_wait_for 10 session_accessibility_bus >/dev/null ||
        session_fail "the accessibility bus (at-spi2-core) did not start: $(cat "$SESSION_TMP/atspi.log")"
    # Started here, not by bus activation, so that it is stopped with the rest.
    /usr/libexec/at-spi2-registryd >>"$SESSION_TMP/atspi.log" 2>&1 &
    SESSION_PIDS+=($!)
    session_wait_for 10 eval 'session_bus_has_owner org.a11y.atspi.Registry "$(session_accessibility_bus)"' ||
        session_fail "the accessibility registry did not start: $(cat "$SESSION_TMP/atspi.log")"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# True when NAME is owned on the bus at ADDRESS (by default the session's); starts nothing.
session_bus_has_owner()
{
    dbus-send --bus="${2:-$DBUS_SESSION_BUS_ADDRESS}" --print-reply=literal \
        --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
        "string:$1" 2>/dev/null | grep -q true
}

session_accessibility_bus()
{
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null | awk 'NF { print $1; found = 1 } END { exit !found }'
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

# trayer's panel window id. awk reads to the end: an early exit would break the pipe.
session_tray_window() { xwininfo -root -tree 2>/dev/null | awk '!f && /\("panel" "trayer"\)/ { print $1; f = 1 } END { exit !f }'; }

# Starts the application ($1) with the session's environment; sets APP_PID.
session_start_app() { "$1" >"$SESSION_TMP/app.log" 2>&1 & APP_PID=$!; SESSION_PIDS+=("$APP_PID"); }

# The application's window inside the tray (among its panel's descendants), or nothing.
session_docked_window()
{
    local tray tree window
    tray=$(session_tray_window) || return 1
    tree=$(session_window_info "$tray" -tree 2>/dev/null) || return 1
    for window in $(xdotool search --classname '^zembrak$' 2>/dev/null); do
        window=$(printf '0x%x' "$window")
        [[ "$tree" != *" $window "* ]] || { echo "$window" && return 0; }
    done
    return 1
}

# xwininfo of window ID. Given no ID it would wait for a click on a window: a panel
# that moves its windows meanwhile must not leave a run waiting.
session_window_info() { [ -n "$1" ] && "${SESSION_AS[@]}" xwininfo -id "$@"; }

# "X Y W H" of a window on the root.
session_geometry()
{
    session_window_info "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# The application's popover: a visible window of its own, not the item $1, at least 150 x 60.
session_popover_id()
{
    local window id pw ph
    for window in $("${SESSION_AS[@]}" xdotool search --onlyvisible --classname '^zembrak$' 2>/dev/null); do
        id=$(printf '0x%x' "$window")
        [ "$id" = "$1" ] && continue
        read -r _ _ pw ph < <(session_geometry "$id")
        [ "$pw" -lt 150 ] || [ "$ph" -lt 60 ] || { echo "$id" && return 0; }
    done
    return 1
}

session_popover_window() { local id; id=$(session_popover_id "$1") && session_geometry "$id"; }
# True once the popover stands still: it may be placed or resized after it shows.
session_popover_settled() { local id; id=$(session_popover_id "$1") && session_window_settled "$id"; }
session_window_settled() { local first; first=$(session_geometry "$1") && sleep 0.3 && [ "$(session_geometry "$1")" = "$first" ]; }

# Waits for the application's item to dock; sets ITEM and ITEM_X ITEM_Y ITEM_W ITEM_H.
session_dock_item()
{
    session_wait_for 10 session_docked_window >/dev/null || { xwininfo -root -tree >"$E2E_ARTIFACTS/tree.log" 2>&1
        session_fail "the application's window never became a child of trayer's panel (see tree.log, app.log)"; }
    ITEM=$(session_docked_window)
    # The tray sizes a new icon more than once: read the geometry it settles at.
    session_wait_for 5 session_window_settled "$ITEM" ||
        session_fail "the docked window $ITEM kept moving"
    read -r ITEM_X ITEM_Y ITEM_W ITEM_H < <(session_geometry "$ITEM")
    echo "e2e: docked window $ITEM at $ITEM_X,$ITEM_Y size ${ITEM_W}x$ITEM_H"
}

# Reads IMAGE around the slot X Y W H. A row's panel is the commonest colour of a 2 px ring
# outside the slot in that row (a gradient runs along rows); digits are neutral pixels at
# contrast 3 or more to it. Prints "LEFT RIGHT TOP BOTTOM CONTRAST BOX": the digits' place
# and best contrast, and the median of each row's commonest colour against the panel (1: no box).
session_read_slot()
{
    /usr/bin/convert "$1" -crop "$(($4 + 4))x$(($5 + 4))+$(($2 - 2))+$(($3 - 2))" +repage \
        -depth 8 txt:- | awk -v w="$4" -v h="$5" '
        function lum(r, g, b) { return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b) }
        function lin(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4 }
        function contrast(a, b) { return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05) }
        /^[0-9]/ {
            split($1, p, /[,:]/); split($2, c, /[(),]/)
            y = p[2]; l = lum(c[2], c[3], c[4])
            if (p[1] < 2 || p[2] < 2 || p[1] >= w + 2 || p[2] >= h + 2) {
                if (++ring[$2] > most) { most = ring[$2]; panel = l }
                if (++rowRing[y, $2] > rowMost[y]) { rowMost[y] = rowRing[y, $2]; rowPanel[y] = l }
                next
            }
            if (++rowInner[y, $2] > rowInside[y]) { rowInside[y] = rowInner[y, $2]; rowSlot[y] = l }
            if ((c[2] - c[3]) ^ 2 <= 3600 && (c[3] - c[4]) ^ 2 <= 3600 && (c[2] - c[4]) ^ 2 <= 3600) {
                n++; px[n] = p[1]; py[n] = y; pl[n] = l
            }
        }
        END {
            left = w + 4; right = -1; top = h + 4; bottom = -1; best = 1
            for (i = 1; i <= n; i++) {
                ratio = contrast(pl[i], py[i] in rowPanel ? rowPanel[py[i]] : panel)
                if (ratio < 3) continue
                if (px[i] < left) left = px[i]
                if (px[i] > right) right = px[i]
                if (py[i] < top) top = py[i]
                if (py[i] > bottom) bottom = py[i]
                if (ratio > best) best = ratio
            }
            for (y = 2; y < h + 2; y++) box[y - 1] = contrast(rowSlot[y], y in rowPanel ? rowPanel[y] : panel)
            for (i = 1; i <= h; i++) for (j = i + 1; j <= h; j++) if (box[j] < box[i]) { t = box[i]; box[i] = box[j]; box[j] = t }
            printf "%d %d %d %d %.1f %.1f\n", left - 2, right - 2, top - 2, bottom - 2, best, box[int((h + 1) / 2)]
        }'
}

# The docked item's slot read from a new screenshot NAME.png; sets ITEM and ITEM_X ITEM_Y
# ITEM_W ITEM_H (the panel may move the slot, or have the item dock again, after docking)
# and LEFT RIGHT TOP BOTTOM CONTRAST BOX (session_read_slot).
session_shoot_slot()
{
    ITEM=$(session_docked_window) || return 1
    read -r ITEM_X ITEM_Y ITEM_W ITEM_H < <(session_geometry "$ITEM")
    # A busy panel may hold a new applet off the screen for a moment.
    [ "$ITEM_X" -ge 0 ] && [ "$ITEM_Y" -ge 0 ] && [ $((ITEM_X + ITEM_W)) -le 1024 ] || return 1
    "$E2E_SHOT" "$E2E_ARTIFACTS/$1.png" >/dev/null &&
        read -r LEFT RIGHT TOP BOTTOM CONTRAST BOX < <(session_read_slot "$E2E_ARTIFACTS/$1.png" \
            "$ITEM_X" "$ITEM_Y" "$ITEM_W" "$ITEM_H")
}

# True once two readings of the slot (session_shoot_slot NAME) SECONDS apart agree: the
# colours are taken a moment after docking, and again once a late panel draws.
session_slot_settled()
{
    local first
    session_shoot_slot "$1" && first="$LEFT $RIGHT $TOP $BOTTOM $CONTRAST $BOX" && sleep "$2" &&
        session_shoot_slot "$1" && [ "$first" = "$LEFT $RIGHT $TOP $BOTTOM $CONTRAST $BOX" ]
}

# OCR of the slot X Y W H in IMAGE, kept as OUT: dark digits on light, eight times the size.
session_ocr_slot()
{
    local negate=()
    # Light digits on a dark slot are the most of its pixels dark, border lines or not.
    [ "$(/usr/bin/convert "$1" -crop "${4}x$5+$2+$3" -colorspace Gray \
        -format '%[fx:mean < 0.5]' info:)" = 1 ] && negate=(-negate)
    /usr/bin/convert "$1" -crop "${4}x$5+$2+$3" +repage -colorspace Gray "${negate[@]}" -normalize \
        -filter Lanczos -resize 800% -bordercolor white -border 20 "$6"
    /usr/bin/tesseract "$6" - --psm "${7:-6}" -c tessedit_char_whitelist=0123456789: 2>/dev/null |
        tr -d ' :\n'
}

# Finds a word matching PATTERN by OCR in GEOMETRY (WxH+X+Y) of a new screenshot NAME.png,
# gray, four times the size, after the convert options that follow; sets WORD_X WORD_Y.
session_find_word()
{
    local name=$1 pattern=$2 x y
    IFS='x+' read -r _ _ x y <<<"$3"
    "$E2E_SHOT" "$E2E_ARTIFACTS/$name.png" || return 1
    /usr/bin/convert "$E2E_ARTIFACTS/$name.png" -crop "$3" +repage -colorspace Gray "${@:4}" \
        -filter Lanczos -resize 400% "$E2E_ARTIFACTS/$name-ocr.png"
    read -r WORD_X WORD_Y < <(/usr/bin/tesseract "$E2E_ARTIFACTS/$name-ocr.png" - --psm 11 tsv 2>/dev/null |
        awk -F'\t' -v want="$pattern" -v x="$x" -v y="$y" '$12 ~ ("^(" want ")$") {
            print x + int(($7 + $9 / 2) / 4), y + int(($8 + $10 / 2) / 4); found = 1; exit } END { exit !found }')
}

session_click_item() { xdotool mousemove $((ITEM_X + ITEM_W / 2)) $((ITEM_Y + ITEM_H / 2)) click 1; }

# Clicks the item and waits for the popover; sets POPOVER_X POPOVER_Y POPOVER_W POPOVER_H.
session_open_popover()
{
    session_click_item
    session_wait_for 5 session_popover_settled "$ITEM" ||
        session_fail "a click on the item opened no popover"
    read -r POPOVER_X POPOVER_Y POPOVER_W POPOVER_H < <(session_popover_window "$ITEM")
    # The item may have moved meanwhile: the popover is anchored to where it is now.
    read -r ITEM_X ITEM_Y ITEM_W ITEM_H < <(session_geometry "$ITEM")
    echo "e2e: popover at $POPOVER_X,$POPOVER_Y size ${POPOVER_W}x$POPOVER_H"
}

session_stop()
{
    local i
    for ((i = ${#SESSION_PIDS[@]} - 1; i >= 0; i--)); do kill "${SESSION_PIDS[i]}" 2>/dev/null || true; done
    for i in "${SESSION_PIDS[@]}"; do wait "$i" 2>/dev/null || true; done
    SESSION_PIDS=()
SESSION_AS=() # runs the X clients that read windows, as the desktop's user where it is not ours
    [ -z "$SESSION_TMP" ] || rm -rf "$SESSION_TMP"
    SESSION_TMP=""
}
