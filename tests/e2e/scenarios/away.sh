# Pause When Locked: a lock from logind (a fake on the session's own system bus)
# pauses the running period, which stays paused after the unlock.
logind()
{
    dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply=literal --dest=org.freedesktop.login1 \
        /org/zembrak/FakeLogind "org.zembrak.FakeLogind.$1" ${2:+"string:$2"}
}
followed() { logind Reads | awk '$2 > 0 { found = 1 } END { exit !found }'; }

"$E2E_TOOLS/fake-logind" >"$SESSION_TMP/logind.log" 2>&1 &
SESSION_PIDS+=($!)
expect 5 "the fake logind did not start (see logind.log)" \
    session_bus_has_owner org.freedesktop.login1 "$DBUS_SYSTEM_BUS_ADDRESS"
seed '"isPausingWhenLocked":true'
start_app
expect 10 "Zembrak never read the session's lock hint" followed
"$E2E_APP" --start-pause
expect_status "state=active period=work remaining=1[0-9]+ cycles=0" "after --start-pause"
logind Send Lock >/dev/null
expect_status "state=inactive period=work remaining=1[0-9]+ cycles=0" "after the session locked"
paused=$(status)
logind Send Unlock >/dev/null
sleep 1.2 # a period that ran again would show a second less by now
check "the unlock changed the paused period: $(status), was $paused" eval '[ "$(status)" = "$paused" ]'
"$E2E_APP" --reset
lock_pauses() { "$E2E_APP" --history --format json | tee -a "$SESSION_TMP/history.log" | grep -c '"cause":"lock"'; }
expect 3 'the history shows $(lock_pauses) pauses caused by the lock, expected 1' eval '[ "$(lock_pauses)" = 1 ]'

# The session ends with SIGTERM: the running period is kept, as at Quit.
"$E2E_APP" --start-pause
expect_status "state=active period=work remaining=[0-9]+ cycles=0" "before SIGTERM"
kill -TERM "$APP_PID"
expect 5 "SIGTERM did not end the application" eval '! kill -0 $APP_PID 2>/dev/null'
last() { "$E2E_APP" --history --format csv | tail -n 1 | cut -d, -f3,8 | tr -d '\r'; }
check 'the period running at SIGTERM was kept as "$(last)"' eval '[ "$(last)" = "work,abandoned" ]'
