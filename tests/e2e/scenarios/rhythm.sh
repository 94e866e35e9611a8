# Periods that wait for the user: with "Start Work Automatically" off the work
# period after a break waits; --extend stretches it by five minutes; dunst, a real notification
# server with actions, started on the private bus, starts it from its button.
shot() { sleep 0.3; "$E2E_SHOT" "$E2E_ARTIFACTS/rhythm-$1.png" >/dev/null || session_fail "no screenshot rhythm-$1.png"; }

seed '"workLength":2,"shortBreakLength":2,"isStartingWorkAutomatically":false'
# dunst's context menu picks the button from what it offers, as a user would in dmenu
# (a script of its own: dunst 1.12 splits the command line without its quotes).
printf '#!/bin/sh\nexec /usr/bin/grep -m1 "Start Work"\n' >"$SESSION_TMP/pick" && chmod +x "$SESSION_TMP/pick"
printf '[global]\n    dmenu = %s\n' "$SESSION_TMP/pick" >"$SESSION_TMP/dunstrc"
/usr/bin/dunst -config "$SESSION_TMP/dunstrc" >"$SESSION_TMP/dunst.log" 2>&1 &
SESSION_PIDS+=($!)
expect 5 "dunst took no notification service (see dunst.log)" session_bus_has_owner org.freedesktop.Notifications
watch_notifications

start_app
"$E2E_APP" --start-pause
expect_status "state=active period=shortBreak remaining=(2|1|0) cycles=1" "the work period ended"
expect_status "state=inactive period=work remaining=2 cycles=1" "the break ended: work waits"
sleep 1.2
expect_status "state=inactive period=work remaining=2 cycles=1" "work waits, a second later"
"$E2E_APP" --extend # five minutes
expect_status "state=inactive period=work remaining=302 cycles=1" "after --extend"
check "the notification offered no Start Work (see dbus-monitor.log)" grep -q '"Start Work"' "$monitor"
shot notification
/usr/bin/dunstctl context
expect_status "state=active period=work remaining=(302|301|300) cycles=1" "after the notification's Start Work"
check "--extend past 9999:59:59 was not refused" eval '! "$E2E_APP" --extend 35999990 2>"$SESSION_TMP/extend.err"'
check 'the refusal said $(cat "$SESSION_TMP/extend.err")' grep -q "9999:59:59" "$SESSION_TMP/extend.err"
app_alive
