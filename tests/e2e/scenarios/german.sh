# In German (LANGUAGE=de, a German locale generated for LANG/LC_ALL): the item, popover,
# menu, windows, Qt's own texts and the notification read in German through AT-SPI, with
# screenshots (de-*.png) to show no text is cut. What scripts read stays English.
mkdir -p "$SESSION_TMP/locale"
/usr/bin/localedef -i de_DE -f UTF-8 "$SESSION_TMP/locale/de_DE.UTF-8" ||
    session_fail "localedef could not generate de_DE.UTF-8 (package locales)"
export LOCPATH=$SESSION_TMP/locale
export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 LANGUAGE=de 2>/dev/null # bash itself reads no LOCPATH
seed "" "Bericht schreiben"
watch_notifications
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
# Qt's own texts: a field's context menu.
read -r x y < <(widget text Stunden "Zeit bearbeiten")
xdotool mousemove "$x" "$y" click 3
all_shown "" "menu item|Alles auswählen Strg+A"
xdotool key Escape
xdotool key Escape

session_open_popover
click_widget "push button" Einstellungen Zembrak
click_widget "menu item" Statistik
all_shown Statistik "page tab|Heute" "label|Abgeschlossene Arbeitsphasen: 0" "label|Fokuszeit: 0 min" \
    "label|Genommene Pausen: 0" "table|Aufgaben" "table column header|Arbeitsphasen" \
    "table column header|Fokuszeit" "push button|Verlauf löschen …"
click_widget "page tab" "Diese Woche" Statistik
expect 5 "AT-SPI: the week's chart is not read in German (see widgets.log)" \
    grep -q "Fokuszeit pro Tag"$'\t'"Nichts aufgezeichnet" "$widgets"
shot statistics
xdotool key Escape
# glibc maps the locale's files once the application set it.
check "the application did not load the generated de_DE.UTF-8" \
    grep -q "$LOCPATH/de_DE.UTF-8/LC_CTYPE" "/proc/$APP_PID/maps"

# The end of a period, told in German; --status stays as scripts parse it.
"$E2E_APP" --skip
expect 5 "no German Notify for the end of the work period (see dbus-monitor.log)" \
    eval 'grep -q "\"Arbeitsphase beendet\"" "$monitor" && grep -q "\"Als Nächstes: kurze Pause, 5 Minuten\"" "$monitor"'
expect 3 'zembrak --status printed $("$E2E_APP" --status)' \
    eval '"$E2E_APP" --status | grep -q "^state=active period=shortBreak "'
app_alive
