# Silence Notifications During Work with a real dunst on the session's bus and
# display: paused while a 2-second work period counts, running again after it,
# and the period's own notification sent after that and shown.
dunstctl=/usr/bin/dunstctl
session_need /usr/bin/dunst "$dunstctl"
/usr/bin/dunst -print >"$SESSION_TMP/dunst.log" 2>&1 &
SESSION_PIDS+=($!)
expect 5 "dunst did not start (see dunst.log)" session_bus_has_owner org.freedesktop.Notifications
calls=$SESSION_TMP/calls.log
dbus-monitor --address "$DBUS_SESSION_BUS_ADDRESS" "type='method_call',member='Notify'" \
    "type='method_call',member='Set',arg0='org.dunstproject.cmd0'" >"$calls" 2>&1 &
SESSION_PIDS+=($!)
expect 5 "dbus-monitor did not connect" grep -q NameAcquired "$calls"
is_paused() { [ "$("$dunstctl" is-paused)" = "$1" ]; }

seed '"isSilencingNotificationsDuringWork":true,"workLength":2'
start_app
"$E2E_APP" --start-pause
expect 2 'dunst was not paused during work: is-paused says $("$dunstctl" is-paused)' is_paused true
expect 4 'dunst was not running again after work: is-paused says $("$dunstctl" is-paused)' is_paused false
expect 3 "dunst printed no \"Work period finished\" (see dunst.log)" grep -q "Work period finished" "$SESSION_TMP/dunst.log"
# The last call before our Notify set dunst running again.
before_notify() { awk '/boolean/ { last = $NF } /member=Notify/ { print last; exit }' "$calls"; }
check 'before the Notify, the last Set of "paused" was "$(before_notify)" (see calls.log)' \
    eval '[ "$(before_notify)" = false ]'
check 'dunst shows $("$dunstctl" count displayed) notifications, expected 1' \
    eval '[ "$("$dunstctl" count displayed)" = 1 ]'
"$E2E_SHOT" "$E2E_ARTIFACTS/silence-notification.png"
