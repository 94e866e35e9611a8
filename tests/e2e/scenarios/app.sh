# A fresh user: the item docks in the tray at the width it asks for, publishes
# the time, comes back when the tray restarts, and a second launch hands over to
# it. (How readable it is there, xfce4-panel's run reads by OCR.)
monitor=$SESSION_TMP/dbus-monitor.log
dbus-monitor --address "$DBUS_SESSION_BUS_ADDRESS" \
    "type='signal',path='/org/zembrak/DistributedNotifications',interface='org.zembrak.DistributedNotifications',member='Posted'" \
    >"$monitor" 2>&1 &
SESSION_PIDS+=($!)
expect 5 "dbus-monitor did not connect" grep -q NameAcquired "$monitor"
start_app

requested() { xprop -id "$ITEM" WM_NORMAL_HINTS | awk '/program specified minimum size/ && !w { w = $5 } END { print w }'; }
check 'the tray gave the item $ITEM_W px; it asked for $(requested) px' [ "$ITEM_W" = "$(requested)" ]

# The shared suite holds the shown time; play posts the time-change signal.
expect 5 'the shared time is $(shared_seconds) s, expected 1500' shared_is 1500
before=$(grep -c 'member=Posted' "$monitor" || true)
posted() { [ "$(grep -c 'member=Posted' "$monitor")" -gt "$before" ]; }
session_open_popover
xdotool mousemove $((POPOVER_X + 21)) $((POPOVER_Y + 21)) click 1 # play: the header's first control
expect 3 "no DistributedNotifications.Posted within 3 s of pressing play" posted

# A tray that restarts takes the item again.
xdotool key Escape
session_stop_tray
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
