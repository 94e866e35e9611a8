# A workEnded hook writes its environment after a work period of 2 seconds; the
# break screen then covers both monitors (the one screen split in two RandR
# monitors, as Qt sees a desktop of two), and Escape closes it, the break running on.
xrandr=/usr/bin/xrandr # x11-xserver-utils
"$xrandr" --setmonitor left 512/135x768/203+0+0 screen && "$xrandr" --setmonitor right 512/135x768/203+512+0 none ||
    session_fail "xrandr could not split the screen in two monitors"
told=$SESSION_TMP/hook.env
seed '"workLength":2,"isShowingBreakScreen":true,"hooks":{"workEnded":"env | grep ^ZEMBRAK_ | sort >'"$told"'.new && mv '"$told"'.new '"$told"'"}' \
    "Draft the plan"
start_app
"$E2E_APP" --start-pause
expect 8 "the workEnded hook wrote nothing (see app.log)" test -s "$told"
cp "$told" "$E2E_ARTIFACTS/hook.env"
for line in ZEMBRAK_EVENT=workEnded ZEMBRAK_PERIOD=work ZEMBRAK_OUTCOME=finished ZEMBRAK_LENGTH=2 \
    ZEMBRAK_REMAINING=0 "ZEMBRAK_TASK=Draft the plan" ZEMBRAK_CYCLES=1; do
    check "the hook's environment lacks $line: $(tr '\n' ' ' <"$told")" grep -qx "$line" "$told"
done

panels() { xdotool search --onlyvisible --name '^Break Screen' 2>/dev/null | sort; }
covered() { for id in $(panels); do session_geometry "$id"; done | sort | paste -sd' '; }
expect 5 'the break screen covers $(covered), not both monitors' \
    eval '[ "$(covered)" = "0 0 512 768 512 0 512 768" ]'
expect_status "state=active period=shortBreak remaining=[0-9]+ cycles=1" "under the break screen"
sleep 0.5
"$E2E_SHOT" "$E2E_ARTIFACTS/break-screen.png" || session_fail "no screenshot break-screen.png"
read_screen() { /usr/bin/tesseract "$E2E_ARTIFACTS/break-screen.png" - 2>/dev/null | tr '\n' ' '; }
check 'the break screen reads "$(read_screen)"' eval 'read_screen | grep -q "Skip Break" && read_screen | grep -q "Draft the plan"'

xdotool key Escape
expect 3 'Escape left the break screen on $(covered)' eval '[ -z "$(panels)" ]'
expect_status "state=active period=shortBreak remaining=[0-9]+ cycles=1" "after Escape"
"$E2E_SHOT" "$E2E_ARTIFACTS/after-escape.png" || session_fail "no screenshot after-escape.png"
app_alive
