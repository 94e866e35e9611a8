# A fresh user: the item docks in the tray at the width it asks for, publishes
# the time, comes back when the tray restarts, and a second launch hands over to it.
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
