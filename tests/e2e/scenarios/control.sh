# The application driven from scripts: org.zembrak.Zembrak through gdbus
# (libglib2.0-bin), and the zembrak command line.
gdbus=/usr/bin/gdbus
call() { "$gdbus" call --session --dest org.zembrak.Zembrak --object-path /org/zembrak/Zembrak --method "$@"; }
state() { call org.freedesktop.DBus.Properties.Get org.zembrak.Zembrak State; }

seed "" "Draft the plan"
watch_notifications

check 'with none running --status printed $(status)' eval '! status >/dev/null && grep -q "not running" "$SESSION_TMP/cli.log"'

start_app
expect_status "state=inactive period=work remaining=1500 cycles=0" "at launch"
call org.zembrak.Zembrak.StartPause >/dev/null
expect 3 'StartPause did not start the timer: State is $(state)' eval '[ "$(state)" = "(<'"'active'"'>,)" ]'
expect_status "state=active period=work remaining=(1499|1498) cycles=0" "after StartPause and a second"
"$E2E_APP" --start-pause
expect_status "state=inactive period=work remaining=(1499|1498) cycles=0" "after --start-pause"
call org.zembrak.Zembrak.SetTime 90 >/dev/null
expect_status "state=active period=work remaining=(90|89) cycles=0" "after SetTime 90"

# Skip after work credits the task; after a break nothing.
credited='[{"cycleCount":1,"id":1000.5,"isCompleted":false,"string":"Draft the plan"}]'
call org.zembrak.Zembrak.Skip >/dev/null
expect_status "state=active period=shortBreak remaining=(300|299|298|0) cycles=1" "after Skip"
expect 3 'Skip did not credit the task: $(stored tasks)' stored_is tasks "$credited"
"$E2E_APP" --skip
expect_status "state=active period=work remaining=(1500|1499|1498|0) cycles=1" "after --skip"
check 'skipping the break changed the task: $(stored tasks)' stored_is tasks "$credited"
"$E2E_APP" --reset
expect_status "state=inactive period=work remaining=1500 cycles=1" "after --reset"
check "no Notify for the ends of the periods (see dbus-monitor.log)" \
    eval 'grep -q "\"Work period finished\"" "$monitor" && grep -q "\"Break finished\"" "$monitor"'

# --start-pause with none running starts Zembrak and then starts its timer.
session_end_process "$APP_PID" "the application"
expect 5 "the application's name stayed on the bus after it quit" eval '! session_bus_has_owner org.zembrak.Zembrak'
timeout 20 "$E2E_APP" --start-pause >"$SESSION_TMP/start.out" 2>&1 ||
    session_fail "--start-pause with none running failed: $(cat "$SESSION_TMP/start.out")"
APP_PID=$("$gdbus" call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.GetConnectionUnixProcessID org.zembrak.Zembrak | sed -n 's/^(uint32 \([0-9]*\),)$/\1/p')
SESSION_PIDS+=("$APP_PID")
check '--start-pause printed $(cat "$SESSION_TMP/start.out")' test ! -s "$SESSION_TMP/start.out"
expect_status "state=active period=work remaining=(1500|1499|1498) cycles=0" "--start-pause started a new one"
app_alive
