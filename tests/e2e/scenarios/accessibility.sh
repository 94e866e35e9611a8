# The application as a screen reader reads it and as a user without a mouse
# drives it: every control of the popover, "Edit Time" and "Time Settings" has
# a name, the item's description follows the remaining time, and Tab, Return
# and Escape work the popover and the windows. Only the item is clicked: the
# keyboard cannot reach it.
seed "" "Write the report"
session_start_accessibility
start_app
watch_widgets

# The role and name ("push button|Resume Timer") of the control that last took
# the keyboard, as a screen reader hears of it.
focused() { cat "$widgets.focus" 2>/dev/null; }
focus_is() { [ "$(focused)" = "$1" ]; }
# Presses KEY and waits for the keyboard to reach the control EXPECTED ("role|name").
press()
{
    rm -f "$widgets.focus" # a focus that stays where it was is no answer
    xdotool key "$1"
    expect 3 'after $1 the keyboard is on $(focused), expected $2' focus_is "$2"
}
# Waits for the control ROLE NAME in WINDOW, then finds every control there named.
all_named()
{
    local names
    expect 5 "AT-SPI: the window '$3' shows no $1 '$2'" shown "$@"
    names=$(awk -F '\t' -v window="$3" '
        $1 ~ /^(push button|toggle button|check box|radio button|text|slider|spin button|combo box)$/ &&
        $5 > 0 && $6 > 0 && $8 == window { printf "%s%s", sep, ($9 == "" ? "?" : $9); sep = "|" }' "$widgets")
    [[ "|$names|" != *"|?|"* ]] || session_fail "AT-SPI: a control without a name in '$3': $names"
}
slider() { awk -F '\t' -v name="$1" '$1 == "slider" && $9 == name && $5 > 0 { print $11; exit }' "$widgets"; }
# What a screen reader hears of the item ("24:59 remaining"), and as seconds.
described() { awk -F '\t' '$10 ~ / (remaining|elapsed)$/ { print $10; f = 1; exit } END { exit !f }' "$widgets" 2>/dev/null; }
described_seconds() { described | awk -F '[: ]' '{ print NF == 4 ? $1 * 3600 + $2 * 60 + $3 : $1 * 60 + $2 }'; }
described_below() { [ "$(described_seconds)" -lt "$1" ]; }
window_closed() { ! awk -F '\t' -v w="$1" '$8 == w && $5 > 0 { f = 1 } END { exit !f }' "$widgets"; }
# From the popover's settings button, by keyboard: the menu, then the item TITLE DOWNS presses of Down reach.
open_from_menu()
{
    open_popover
    press shift+Tab "push button|Settings" # back from the start: the last control
    xdotool key Return
    expect 5 "Return on Settings opened no menu with '$1'" shown "menu item" "$1"
    for ((i = 0; i < $2; i++)); do xdotool key Down; done
    xdotool key Return
}

# The item tells the time; the popover's controls are named, its task readable.
expect 5 'AT-SPI: the item is described as $(described), expected "25:00 remaining"' eval '[ "$(described)" = "25:00 remaining" ]'
open_popover
all_named "push button" "Resume Timer" Zembrak
check "AT-SPI: no task table with 'Write the report' in it" \
    eval 'shown table Tasks Zembrak && shown "table cell" "Write the report"'

# Tab to play, Return: the countdown runs, and the item's description follows it.
press Tab "push button|Resume Timer"
xdotool key Return
expect 3 "AT-SPI: after Return on play no button reads Pause Timer" shown "push button" "Pause Timer" Zembrak
expect 3 'after play the item is still described as $(described)' described_below 1500

# On to the task list and Add; the new task typed and committed with Return.
press Tab "table|Tasks"
press Tab "push button|Add New Task"
press Return "text|Task"
xdotool type --delay 20 "Read by keyboard"
xdotool key Return
expect 3 'the task typed after Add was not stored: $(stored tasks)' eval 'stored tasks | grep -qF "\"string\":\"Read by keyboard\""'
expect 3 'after the new task the keyboard is on $(focused)' focus_is "table|Tasks"
xdotool key Escape
expect 3 "Escape did not close the popover" popover_closed

# "Time Settings": named, Tab down its column, the slider by arrow, Return on Save.
open_from_menu "Time Settings" 1
all_named text Minutes "Time Settings"
expect 3 'Time Settings opened with the keyboard on $(focused)' focus_is "text|Hours"
press Tab "text|Minutes"
xdotool type --delay 20 10
for _ in 1 2 3 4 5 6 7; do xdotool key Tab; done
press Tab "slider|Long Break Interval"
xdotool key Right
expect 3 'after Right the slider reads $(slider "Long Break Interval"), expected 5' eval '[ "$(slider "Long Break Interval")" = 5 ]'
press Tab "push button|Save"
xdotool key Return
expect 5 'after Save the store holds workLength $(stored workLength), interval $(stored longBreakInterval)' \
    eval 'stored_is workLength 600 && stored_is longBreakInterval 5'
expect 3 "Save left Time Settings open" window_closed "Time Settings"
expect 3 'after Save the item is described as $(described), expected the new 10 minutes' described_below 601

# "Edit Time", in place of the popover: named, an hour typed and confirmed with Return, closed with Escape.
open_from_menu "Edit Time" 2
all_named text Hours "Edit Time"
check "the popover stayed open under Edit Time" popover_closed
xdotool type --delay 20 1
xdotool key Return
expect 3 'after typing 1 hour and Return the shared time is $(shared_seconds) s' eval '[ "$(shared_seconds)" -gt 3600 ]'
xdotool key Escape
expect 3 "Escape did not close Edit Time" window_closed "Edit Time"
expect 3 'after Edit Time the item is described as $(described)' eval '[ "$(described_seconds)" -gt 3600 ]'
app_alive
