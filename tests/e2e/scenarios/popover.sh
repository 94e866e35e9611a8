# The popover: where it hangs, a 3 s work period running into a 4 s break by
# itself crediting the first task, and closing it from the item.
seed '"workLength":3,"shortBreakLength":4' "Write the report"
session_start_accessibility
start_app
watch_widgets
expect 5 'before play the shared time is $(shared_seconds) s, expected 3' shared_is 3

session_open_popover
read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
placed()
{
    [ "$POPOVER_Y" -ge $((ITEM_Y + ITEM_H)) ] && [ "$POPOVER_X" -lt $((ITEM_X + ITEM_W)) ] &&
        [ $((POPOVER_X + POPOVER_W)) -gt "$ITEM_X" ] && [ "$POPOVER_X" -ge 0 ] &&
        [ $((POPOVER_X + POPOVER_W)) -le "$screen_w" ] && [ $((POPOVER_Y + POPOVER_H)) -le "$screen_h" ]
}
check "the popover at $POPOVER_X,$POPOVER_Y ${POPOVER_W}x$POPOVER_H is not under the item at $ITEM_X,$ITEM_Y ${ITEM_W}x$ITEM_H on the ${screen_w}x$screen_h screen" placed
labels_read() { shown label "$1" Zembrak && shown label "$2" Zembrak; }
expect 5 "AT-SPI: the popover never read 'Work' and 'Cycles Since Launch: 0'" labels_read Work "Cycles Since Launch: 0"

# Play: the work period ends by itself, its cycle goes to the first task, the break counts down.
xdotool mousemove $((POPOVER_X + 21)) $((POPOVER_Y + 21)) click 1
credited='[{"cycleCount":1,"id":1000.5,"isCompleted":false,"string":"Write the report"}]'
expect 5 'the stored tasks read $(stored tasks) 5 s after play, expected $credited' stored_is tasks "$credited"
expect 3 "AT-SPI: the popover never read 'Short Break' and 'Cycles Since Launch: 1'" \
    labels_read "Short Break" "Cycles Since Launch: 1"
expect 4 'the break did not count down: the shared time is $(shared_seconds) s' shared_is 2

# A click on the item closes the popover and nothing more; the next opens it again.
session_click_item
expect 3 "a click on the item did not close the popover" popover_closed
sleep 1
check "the popover opened again after the click that closed it" popover_closed
session_open_popover
check "the reopened popover at $POPOVER_X,$POPOVER_Y is not under the item" placed

# A click lands anywhere on the item's window, its first and last pixels too
# (KDE's proxy for XEmbed items clicks at the first): each opens the popover.
for corner in "$ITEM_X $ITEM_Y" "$((ITEM_X + ITEM_W - 1)) $((ITEM_Y + ITEM_H - 1))"; do
    session_click_item
    expect 3 "a click on the item did not close the popover" popover_closed
    sleep 1
    read -r x y <<<"$corner"
    xdotool mousemove "$x" "$y" click 1
    session_wait_for 5 session_popover_settled "$ITEM" ||
        session_fail "a click at $corner, the item's edge, opened no popover"
done
app_alive
