# The preferences menu as a user drives it with the mouse: opened from the
# popover's settings button, its items found where a screen reader finds them
# and clicked. A switch is stored, applied at once and again after Quit and a
# new launch; the sound menu is ZKMenuTest's and KPSoundMenuTest's. (The two windows it opens are driven in accessibility.)
session_start_accessibility
start_app
watch_widgets

# The menu's items, in order, one line.
menu_titles() { awk -F '\t' '$1 == "menu item" && $5 > 0 { printf "%s%s", sep, $2; sep = "|" }' "$widgets"; }
open_menu()
{
    open_popover
    click_widget "push button" Settings
    expect 5 "the Settings button opened no menu" shown "menu item" "Time Settings"
}

# A fresh user: the menu reads the defaults, and they are stored.
expect 5 'at launch the sound was stored as $(stored soundName), expected "Blow"' stored_is soundName '"Blow"'
open_menu
expected="Time Settings|Edit Time|Autohide Display|Small Display|Show Seconds|Show Cycle Count|Enable Ticking|Sound|More|Quit"
check 'AT-SPI: the menu reads $(menu_titles), expected $expected' [ "$(menu_titles)" = "$expected" ]

# "Show Seconds" off: stored, and the item narrows to minutes.
wide=$ITEM_W
click_widget "menu item" "Show Seconds"
expect 5 'after Show Seconds the store holds isShowingSeconds $(stored isShowingSeconds)' stored_is isShowingSeconds false
item_width() { session_geometry "$ITEM" | awk '{ print $3 }'; }
expect 5 'the item stayed $(item_width) wide without its seconds' eval '[ "$(item_width)" -lt "$wide" ]'
narrow=$(item_width)

# Quit from the menu; the next launch applies what was chosen.
open_menu
click_widget "menu item" Quit
expect 5 "Quit did not end the application" eval '! kill -0 $APP_PID 2>/dev/null'
start_app
check "after a restart the item is $ITEM_W wide, expected $narrow" [ "$ITEM_W" = "$narrow" ]
open_menu
check "after a restart Show Seconds is checked again" eval '! has_state "menu item" "Show Seconds" checked'
app_alive
