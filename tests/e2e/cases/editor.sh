# The list file edited in a text editor while the window runs: the edit survives the
# close, merges with the window's own changes, and shows in the list.

case_an_edit_made_in_the_file_survives_ctrl_q() {
    start_with_list '"a","C:\\a"\r\n' || return
    # As an editor may leave it: LF line ends, an empty line, no final break.
    write_file "$LIST" '"a","C:\\a"\n\n"b","C:\\表"'
    close_program ctrl+q
    expect_file "$LIST" '"a","C:\\a"\n\n"b","C:\\表"'
}

case_an_edit_in_the_file_and_a_deletion_in_the_window_both_show() {
    start_with_list '"a","C:\\a"\r\n"b","C:\\b"\r\n' || return
    key Down ctrl+d
    combo_state
    expect_eq "after Down and Ctrl+D" "count=1 sel=-1" "$COMBO_HEAD"
    write_file "$LIST" '"a","C:\\a"\r\n"b","C:\\b"\r\n"c","C:\\c"\r\n'
    close_program ctrl+q
    expect_file "$LIST" '"b","C:\\b"\r\n"c","C:\\c"\r\n'
}

case_the_list_shows_an_outside_edit_after_the_window_is_activated_again() {
    start_with_list '"a","C:\\a"\r\n' || return
    write_file "$LIST" '"a","C:\\a"\r\n"新","C:\\新"\r\n'
    # Another program comes to the front, then the user clicks the window again.
    (PATH=$CASE_PATH exec wine notepad >/dev/null 2>&1) &
    local i
    for i in $(seq 100); do probe_list others && [ -n "$PROBE_LINES" ] && break; sleep 0.1; done
    probe foreground
    [ "$PROBE_LINE" = "ok $MAIN" ] && fail "the window stayed in front of the other program"
    # Without a window manager the other program's window covers the window: moved aside.
    local x
    x=$(xdotool search --onlyvisible --classname notepad.exe 2>/dev/null | head -1)
    [ -n "$x" ] && xdotool windowmove "$x" 0 200
    sleep 0.4
    focus_main
    probe foreground
    expect_eq "foreground after the click" "ok $MAIN" "$PROBE_LINE"
    combo_state
    expect_eq "after the window is activated" $'count=2 sel=-1\n"a","C:\\a"\n"新","C:\\新"' \
        "$COMBO_HEAD"$'\n'"${COMBO_ITEMS%$'\n'}"
    close_others
    # Opening the list looks again.
    write_file "$LIST" '"x","C:\\x"\r\n'
    local combo
    combo=$(child COMBOBOX)
    probe info "$combo"
    IFS=, read -r cx cy cw ch <<<"$(field rect "$PROBE_LINE")"
    xdotool mousemove $((cx + cw - 8)) $((cy + ch / 2)) click 1
    sleep 0.5
    combo_state
    expect_eq "after the list is opened" $'count=1\n"x","C:\\x"' "${COMBO_HEAD% sel=*}"$'\n'"${COMBO_ITEMS%$'\n'}"
    key Escape
    close_program ctrl+q
    expect_file "$LIST" '"x","C:\\x"\r\n'
}
