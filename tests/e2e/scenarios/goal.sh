# The daily goal and the timer window: the goal chosen in the menu, one finished
# work period counted in the popover (read by OCR), --status and --follow, and
# the timer window's buttons driving the timer.
session_need /usr/bin/tesseract /usr/bin/convert
seed '"workLength":2' "Draft the plan"
session_start_accessibility
start_app
watch_widgets
expect_status "state=inactive period=work remaining=2 cycles=0" "without a goal"

open_popover
click_widget "push button" Settings
click_widget "menu item" More
click_widget "menu item" "Daily Goal"
click_widget "menu item" "4 work periods"
expect 5 'after "4 work periods" the store holds dailyGoal $(stored dailyGoal)' stored_is dailyGoal 4
expect_status "state=inactive period=work remaining=2 cycles=0 today=0 goal=4" "with a goal of 4"
"$E2E_APP" --follow --format '{today}/{goal} {period}' >"$SESSION_TMP/follow.out" 2>&1 &
SESSION_PIDS+=($!)

"$E2E_APP" --start-pause
expect_status "state=active period=shortBreak remaining=[0-9]+ cycles=1 today=1 goal=4" "after a work period of 2 s"
expect 3 '--follow printed $(tail -n1 "$SESSION_TMP/follow.out")' grep -qx "1/4 shortBreak" "$SESSION_TMP/follow.out"

# The popover as the user sees it, opened afresh: OCR of its picture.
session_click_item
expect 3 "a click on the item did not close the popover" popover_closed
sleep 1
open_popover
# Started from the command line, the break runs: the popover's button offers the pause.
expect 3 "AT-SPI: the popover offers no Pause Timer while the break runs" shown "push button" "Pause Timer" Zembrak
sleep 0.3
"$E2E_SHOT" "$E2E_ARTIFACTS/popover-goal.png" >/dev/null || session_fail "no screenshot popover-goal.png"
/usr/bin/convert "$E2E_ARTIFACTS/popover-goal.png" -crop "${POPOVER_W}x$POPOVER_H+$POPOVER_X+$POPOVER_Y" \
    +repage -colorspace Gray -resize 300% "$E2E_ARTIFACTS/popover-goal-ocr.png"
read_popover() { /usr/bin/tesseract "$E2E_ARTIFACTS/popover-goal-ocr.png" - --psm 6 2>/dev/null; }
check 'OCR of the popover read "$(read_popover | paste -sd "|")", not "1 of 4 today"' \
    eval 'read_popover | grep -q "1 of 4 today"'

# The timer window, from the menu: its buttons do what the popover's do.
click_widget "push button" Settings
click_widget "menu item" "Show Timer Window"
expect 5 'the store holds isShowingTimerWindow $(stored isShowingTimerWindow)' stored_is isShowingTimerWindow true
click_widget "push button" "Pause Timer" "Zembrak Timer"
expect_status "state=inactive period=shortBreak remaining=[0-9]+ cycles=1 today=1 goal=4" "after the timer window's pause"
expect 5 "AT-SPI: the timer window shows no task" shown label "Current task: Draft the plan" "Zembrak Timer"
sleep 0.3
"$E2E_SHOT" "$E2E_ARTIFACTS/timer-window.png" >/dev/null || session_fail "no screenshot timer-window.png"
click_widget "push button" Skip "Zembrak Timer"
expect_status "state=active period=work remaining=[0-9]+ cycles=1 today=1 goal=4" "after the timer window's skip"
app_alive
