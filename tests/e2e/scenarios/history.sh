# The history as the real app keeps it: two short work periods and a skipped
# break, printed by --history and --stats and shown in the open statistics window.
session_start_accessibility
seed '"workLength":2' "Draft the plan"
start_app
watch_widgets
# Open before the periods run: what ends shows in it at once.
open_popover
click_widget "push button" Settings
click_widget "menu item" Statistics
expect 5 "AT-SPI: the statistics window did not open" shown "push button" "Clear History…"
"$E2E_APP" --follow --format '{time} {period}' >"$SESSION_TMP/follow.out" 2>&1 &
SESSION_PIDS+=($!)
expect 5 "--follow printed nothing" test -s "$SESSION_TMP/follow.out"
"$E2E_APP" --start-pause
expect_status "state=active period=shortBreak remaining=[0-9]+ cycles=1" "after a work period of 2 s"
# The end is seen at zero once, then the break at its full length.
followed() { sed -n '/^00:01 /,$p' "$SESSION_TMP/follow.out" | head -n 3 | paste -sd,; }
expect 3 '--follow printed $(followed) at the end of the work period' \
    eval '[ "$(followed)" = "00:01 work,00:00 shortBreak,05:00 shortBreak" ]'
"$E2E_APP" --skip
expect_status "state=active period=shortBreak remaining=[0-9]+ cycles=2" "after the skip and 2 s more"
"$E2E_APP" --reset

history() { "$E2E_APP" --history --format csv 2>>"$SESSION_TMP/cli.log" | tr -d '\r' | cut -d, -f3-9; }
kept="kind,plannedSeconds,countedSeconds,pauses,pausedSeconds,outcome,task
work,2,2,0,0,finished,Draft the plan
shortBreak,300,0,0,0,skipped,
work,2,2,0,0,finished,Draft the plan
shortBreak,300,0,0,0,abandoned,"
expect 3 'zembrak --history printed
$(history)
expected
$kept' eval '[ "$(history)" = "$kept" ]'
stats() { "$E2E_APP" --stats 2>>"$SESSION_TMP/cli.log"; }
check 'zembrak --stats printed "$(stats)"' eval '[ "$(stats)" = "$(date +%F)	2	0" ]'

expect 5 "AT-SPI: the open statistics window shows no task row for Draft the plan" shown "table cell" "Draft the plan"
sleep 0.3
"$E2E_SHOT" "$E2E_ARTIFACTS/statistics.png" >/dev/null || session_fail "no screenshot statistics.png"
app_alive
