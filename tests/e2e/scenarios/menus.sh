# The preferences menu as a user drives it with the mouse: opened from the
# popover's settings button, its items found where a screen reader finds them
# and clicked. A switch and a sound are stored, applied at once and again after
# Quit and a new launch. (The two windows it opens are driven in accessibility.)
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
check "a fresh menu should check Show Seconds and not Small Display" \
    eval 'has_state "menu item" "Show Seconds" checked && ! has_state "menu item" "Small Display" checked'

# "Show Seconds" off: stored, and the item narrows to minutes.
wide=$ITEM_W
click_widget "menu item" "Show Seconds"
expect 5 'after Show Seconds the store holds isShowingSeconds $(stored isShowingSeconds)' stored_is isShowingSeconds false
item_width() { session_geometry "$ITEM" | awk '{ print $3 }'; }
expect 5 'the item stayed $(item_width) wide without its seconds' eval '[ "$(item_width)" -lt "$wide" ]'
narrow=$(item_width)

# A sound from the submenu.
open_menu
click_widget "menu item" Sound
expect 5 'the Sound item opened no sound menu (read: $(menu_titles))' shown "menu item" Puddle
click_widget "menu item" Puddle
expect 5 'after Puddle the store holds soundName $(stored soundName)' stored_is soundName '"Puddle"'

# Quit from the menu; the next launch applies what was chosen.
open_menu
click_widget "menu item" Quit
expect 5 "Quit did not end the application" eval '! kill -0 $APP_PID 2>/dev/null'
start_app
check "after a restart the item is $ITEM_W wide, expected $narrow" [ "$ITEM_W" = "$narrow" ]
open_menu
check "after a restart Show Seconds is checked again" eval '! has_state "menu item" "Show Seconds" checked'
click_widget "menu item" Sound
expect 5 "after a restart Puddle is not the checked sound" has_state "menu item" Puddle checked
app_alive
