# The stored start/pause combination, pressed while another application has the
# focus, starts and pauses the countdown; that application never sees it.
xev=/usr/bin/xev # x11-utils: a small X client that logs every event it gets
seed '"shortcutStrings":["toggleActivation"],"toggleActivation":"Ctrl+Alt+P"'
start_app
expect 5 'before any key the shown time is $(shared_seconds) s, expected 1500' shared_is 1500

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
