# The item docks in the tray at the width it asks for, publishes the time, comes
# back when the tray restarts, and a second launch hands over to it; the stored
# start/pause combination, pressed while another application has the focus, starts
# and pauses the countdown, and that application never sees it.
seed '"shortcutStrings":["toggleActivation"],"toggleActivation":"Ctrl+Alt+P"'
start_app
requested() { xprop -id "$ITEM" WM_NORMAL_HINTS | awk '/program specified minimum size/ && !w { w = $5 } END { print w }'; }
check 'the tray gave the item $ITEM_W px; it asked for $(requested) px' [ "$ITEM_W" = "$(requested)" ]
expect 5 'the shared time is $(shared_seconds) s, expected 1500' shared_is 1500

# A tray that restarts takes the item again.
kill "$TRAY_PID"
expect 5 "trayer did not quit" eval '! session_tray_window >/dev/null'
session_start_tray
session_dock_item
check 'after the tray restarted the item is $ITEM_W px, asking for $(requested) px' [ "$ITEM_W" = "$(requested)" ]

# A second launch quits at once and the running one opens its popover; no second item.
items() { for w in $(xdotool search --classname '^zembrak$'); do session_geometry "$w"; done | awk '$3 < 150' | wc -l; }
items_before=$(items)
timeout 10 "$E2E_APP" >"$SESSION_TMP/second-launch.log" 2>&1 ||
    session_fail "a second launch did not quit by itself: $(cat "$SESSION_TMP/second-launch.log")"
app_alive
expect 5 "a second launch did not bring up the running one's popover" session_popover_settled "$ITEM"
check 'a second launch added an item: $(items) small windows, $items_before before' [ "$(items)" = "$items_before" ]

xev=/usr/bin/xev # x11-utils: a small X client that logs every event it gets
"$xev" -name focus-target -geometry 240x120+80+200 >"$SESSION_TMP/other-window.log" 2>&1 &
SESSION_PIDS+=($!)
other_window() { other=$(xdotool search --name '^focus-target$' | head -n1) && [ -n "$other" ]; }
expect 5 "the other window never showed" other_window
xdotool windowfocus --sync "$other"
check "the other window did not get the focus" [ "$(xdotool getwindowfocus)" = "$other" ]

xdotool key --clearmodifiers ctrl+alt+p
expect 4 'after Ctrl+Alt+P the shown time stayed at $(shared_seconds) s (see app.log)' eval '[ "$(shared_seconds)" -lt 1500 ]'
# Pressed again, it pauses: the time stands still for a second and a half.
xdotool key --clearmodifiers ctrl+alt+p
stands_still() { paused=$(shared_seconds) && sleep 1.5 && shared_is "$paused"; }
expect 3 'after the second Ctrl+Alt+P the countdown kept running ($(shared_seconds) s)' stands_still
check "the countdown paused at $paused s, before it had run" [ "$paused" -lt 1500 ]

# The focused window never saw the combination, but it does get other keys.
xdotool key --clearmodifiers x
expect 3 "the other window did not get a plain key (see other-window.log)" grep -q 'keysym 0x78, x)' "$SESSION_TMP/other-window.log"
check "the other window got the P of Ctrl+Alt+P" eval '! grep -q "keysym 0x70, p)" "$SESSION_TMP/other-window.log"'
app_alive
