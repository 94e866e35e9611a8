# As a screen reader reads it and a user without a mouse drives it: every control
# named, the item described by the time, the popover and Time Settings (whose time
# fields Edit Time shares) worked by keys.
seed "" "Write the report"
session_start_accessibility
start_app
watch_widgets

focused() { cat "$widgets.focus" 2>/dev/null; }
focus_is() { [ "$(focused)" = "$1" ]; }
# Presses KEY and waits for the focus to reach the control ("role|name").
press()
{
    rm -f "$widgets.focus" # a focus that stays where it was is no answer
    xdotool key "$1"
    expect 3 'after $1 the keyboard is on $(focused), expected $2' focus_is "$2"
}
# Waits for the control ROLE NAME in WINDOW, then fails on any control there without a name.
all_named()
{
    expect 5 "AT-SPI: the window '$3' shows no $1 '$2'" shown "$@"
    awk -F '\t' -v window="$3" '$5 > 0 && $6 > 0 && $8 == window && $9 == "" &&
        $1 ~ /^(push button|toggle button|check box|radio button|text|slider|spin button|combo box)$/ { exit 1 }' \
        "$widgets" || session_fail "AT-SPI: a control without a name in '$3' (see widgets.log)"
}
described() { awk -F '\t' '$10 ~ / (remaining|elapsed)$/ { print $10; f = 1; exit } END { exit !f }' "$widgets" 2>/dev/null; }
described_seconds() { described | awk -F '[: ]' '{ print NF == 4 ? $1 * 3600 + $2 * 60 + $3 : $1 * 60 + $2 }'; }
window_closed() { ! awk -F '\t' -v w="$1" '$8 == w && $5 > 0 { f = 1 } END { exit !f }' "$widgets"; }
# By keyboard to the menu item $1, $2 below the first.
open_from_menu()
{
    open_popover
    press shift+Tab "push button|Settings" # back from the start: the last control
    xdotool key Return
    expect 5 "Return on Settings opened no menu with '$1'" shown "menu item" "$1"
    for ((i = 0; i < $2; i++)); do xdotool key Down; done
    xdotool key Return
}

expect 5 'AT-SPI: the item is described as $(described), expected "25:00 remaining"' eval '[ "$(described)" = "25:00 remaining" ]'
open_popover
all_named "push button" "Resume Timer" Zembrak
check "AT-SPI: no task table with 'Write the report' in it" \
    eval 'shown table Tasks Zembrak && shown "table cell" "Write the report"'

press Tab "push button|Resume Timer"
xdotool key Return
expect 3 'after play the item is still described as $(described)' eval '[ "$(described_seconds)" -lt 1500 ]'

press Tab "table|Tasks"
press Tab "push button|Add New Task"
press Return "text|Task"
xdotool type --delay 20 "Read by keyboard"
xdotool key Return
expect 3 'the task typed after Add was not stored: $(stored tasks)' eval 'stored tasks | grep -qF "\"string\":\"Read by keyboard\""'
xdotool key Escape
expect 3 "Escape did not close the popover" popover_closed

# "Time Settings": Tab down its column, the slider by arrow, Return on Save.
open_from_menu "Time Settings" 1
all_named text Minutes "Time Settings"
expect 3 'Time Settings opened with the keyboard on $(focused)' focus_is "text|Hours"
press Tab "text|Minutes"
xdotool type --delay 20 10
for _ in 1 2 3 4 5 6 7; do xdotool key Tab; done
press Tab "slider|Long Break Interval"
xdotool key Right
press Tab "push button|Save"
xdotool key Return
expect 5 'after Save the store holds workLength $(stored workLength), interval $(stored longBreakInterval)' \
    eval 'stored_is workLength 600 && stored_is longBreakInterval 5'
expect 3 "Save left Time Settings open" window_closed "Time Settings"
expect 3 'after Save the item is described as $(described), expected the new 10 minutes' eval '[ "$(described_seconds)" -le 600 ]'

app_alive
