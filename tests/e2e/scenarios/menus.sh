# The preferences menu as a user drives it with the mouse: a switch is stored,
# applied at once and again after Quit and a new launch.
session_start_accessibility
start_app
watch_widgets

open_menu()
{
    open_popover
    click_widget "push button" Settings
    expect 5 "the Settings button opened no menu" shown "menu item" "Time Settings"
}

open_menu

# "Show Seconds" off: stored, and the item narrows to minutes.
wide=$ITEM_W
click_widget "menu item" "Show Seconds"
expect 5 'after Show Seconds the store holds isShowingSeconds $(stored isShowingSeconds)' stored_is isShowingSeconds false
narrowed() { read -r _ _ narrow _ < <(session_geometry "$ITEM") && [ "$narrow" -lt "$wide" ]; }
expect 5 'the item stayed $narrow wide without its seconds' narrowed

# Quit from the menu; the next launch applies what was chosen.
open_menu
click_widget "menu item" Quit
expect 5 "Quit did not end the application" eval '! kill -0 $APP_PID 2>/dev/null'
start_app
# The tray may size the new item more than once before it settles.
restored() { read -r _ _ ITEM_W _ < <(session_geometry "$ITEM") && [ "$ITEM_W" = "$narrow" ]; }
expect 5 'after a restart the item is $ITEM_W wide, expected $narrow' restored
open_menu
checked() { awk -F '\t' '$1 == "menu item" && $2 == "Show Seconds" && $5 > 0 { print $7; exit }' "$widgets"; }
expect 3 "after a restart Show Seconds is checked again" eval '[[ ",$(checked)," != *,checked,* ]]'
app_alive
