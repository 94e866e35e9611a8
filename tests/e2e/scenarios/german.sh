# In German (LANGUAGE=de): the item, the popover, the menu, both windows and the
# notification read in German through AT-SPI; screenshots of each are kept
# (de-*.png) to show that no text is cut. What scripts read stays English.
export LANGUAGE=de
seed "" "Bericht schreiben"
monitor=$SESSION_TMP/dbus-monitor.log
dbus-monitor --address "$DBUS_SESSION_BUS_ADDRESS" \
    "type='method_call',interface='org.freedesktop.Notifications',member='Notify'" >"$monitor" 2>&1 &
SESSION_PIDS+=($!)
expect 5 "dbus-monitor did not connect" grep -q NameAcquired "$monitor"
session_start_accessibility
start_app
watch_widgets

shot() { sleep 0.3; "$E2E_SHOT" "$E2E_ARTIFACTS/de-$1.png" >/dev/null || session_fail "no screenshot de-$1.png"; }
described() { awk -F '\t' '$10 ~ /^Verbleibende Zeit: / { print $10; f = 1; exit } END { exit !f }' "$widgets" 2>/dev/null; }
# Waits for each "role|name" in the window $1 ("": any).
all_shown() { local c; for c in "${@:2}"; do expect 5 "AT-SPI: '$1' shows no '$c' (see widgets.log)" shown "${c%%|*}" "${c#*|}" "$1"; done; }

expect 5 'AT-SPI: the item is described as $(described), expected "Verbleibende Zeit: 25:00"' described

session_open_popover
all_shown Zembrak "push button|Timer fortsetzen" "label|Arbeitsphase" "label|Zyklen seit Start: 0" \
    "push button|Neue Aufgabe hinzufügen" "push button|Einstellungen" "table|Aufgaben"
shot popover

click_widget "push button" Einstellungen Zembrak
all_shown "" "menu item|Zeiteinstellungen" "menu item|Zeit bearbeiten" \
    "menu item|Anzeige automatisch ausblenden" "menu item|Beenden"
shot menu
click_widget "menu item" Zeiteinstellungen
all_shown Zeiteinstellungen "label|Länge der Arbeitsphase:" "label|Länge der kurzen Pause:" \
    "label|Intervall der langen Pause:" "push button|Speichern" "push button|Schließen"
shot time-settings
xdotool key Escape

session_open_popover
click_widget "push button" Einstellungen Zembrak
click_widget "menu item" "Zeit bearbeiten"
all_shown "Zeit bearbeiten" "text|Stunden" "text|Minuten" "push button|OK"
shot edit-time

# The end of a period, told in German; --status stays as scripts parse it.
"$E2E_APP" --skip
expect 5 "no German Notify for the end of the work period (see dbus-monitor.log)" \
    eval 'grep -q "\"Arbeitsphase beendet\"" "$monitor" && grep -q "\"Als Nächstes: kurze Pause, 5 Minuten\"" "$monitor"'
expect 3 'zembrak --status printed $("$E2E_APP" --status)' \
    eval '"$E2E_APP" --status | grep -q "^state=active period=shortBreak "'
app_alive
