# The list file on disk and the program's lifetime: a list kept elsewhere through a link,
# a folder that takes no new files, another program's hold at start, and a start that
# meets a copy closing or just closed.
FIRST_PASS_CASES+=(linked_list_files_stay_linked_and_are_updated
    a_folder_that_takes_no_new_files_lets_the_window_go_at_once
    a_list_held_at_start_is_read_once_let_go
    a_start_during_or_right_after_a_close_opens_its_window)

# register_by_drop <folder> <name>: registers the folder under the name by a real drop.
register_by_drop() {
    DLG=
    drop_on_main "$1" || return 1
    dialog 10000 || return 1
    EDIT=$(dialog_child Edit)
    probe settext "$EDIT" "$2"
    answer OK
}
# in_list_file <Unix folder>: the folder as the list file holds it, for expect_file.
in_list_file() { zpath "$1" | sed 's/\\/\\\\/g'; }
# new_main_window <old hwnd>: waits for a visible main window other than that one, in MAIN.
new_main_window() {
    local w=
    for _ in $(seq 150); do
        probe_list mains
        w=$(grep -v "^$1 " <<<"$PROBE_LINES" | head -1 | cut -d' ' -f1)
        [ -n "$w" ] && break
        sleep 0.1
    done
    [ -n "$w" ] || { fail "no window of the new start: ${PROBE_LINES//$'\n'/;}"; return 1; }
    MAIN=$w COMBO=
}
# ends_after_close <pid>: the copy that was closed ends with exit code 0.
ends_after_close() {
    for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$1" 2>/dev/null && { fail "the closed copy did not end"; return 1; }
    wait "$1"
    expect_eq "exit code of the closed copy" 0 $?
}

case_linked_list_files_stay_linked_and_are_updated() {
    mkdir -p "$CASE_DIR/sync" "$CASE_DIR/x"
    local target=$CASE_DIR/sync/list.txt x
    x=$(in_list_file "$CASE_DIR/x")
    write_file "$target" '"a","C:\\a"\r\n'
    # A list kept in a sync folder, linked beside the program.
    ln -s sync/list.txt "$LIST"
    start_program
    wait_main || return
    wait_slid_in
    register_by_drop "$CASE_DIR/x" x || return
    probe nodialog 2000 || fail "a dialog stayed after the registration: $PROBE_LINE"
    focus_main
    close_program ctrl+q
    if [ -L "$LIST" ]; then
        expect_eq "the link's target" sync/list.txt "$(readlink "$LIST")"
    else
        fail "the list file is no longer a link"
    fi
    expect_file "$target" '"a","C:\\a"\r\n"x","'"$x"'"\r\n'
    # The same file under a second name: both names see the new list.
    rm "$LIST"
    ln "$target" "$LIST"
    start_program
    wait_main || return
    wait_slid_in
    COMBO=
    key Down ctrl+d
    close_program ctrl+q
    expect_eq "one file under both names" "$(stat -c %i "$target")" "$(stat -c %i "$LIST")"
    expect_file "$LIST" '"x","'"$x"'"\r\n'
    expect_file "$target" '"x","'"$x"'"\r\n'
    expect_eq "files in the folder" "DirList.txt $KV_NAME sync wine.log x" "$(cd "$CASE_DIR" && echo *)"
    expect_eq "files in the sync folder" "list.txt" "$(cd "$CASE_DIR/sync" && echo *)"
}

case_a_folder_that_takes_no_new_files_lets_the_window_go_at_once() {
    start_with_list '"a","C:\\a"\r\n"b","C:\\b"\r\n' || return
    key Down ctrl+d
    # The folder takes no new file; the list file in it stays writable.
    chattr +i "$CASE_DIR" || { fail "chattr +i refused"; return; }
    xdotool key ctrl+q
    probe gone 1000 "$MAIN" || fail "the window was still there a second after the close"
    KV_CLOSED=1
    ends_after_close "$KV_PID"
    chattr -i "$CASE_DIR"
    expect_file "$LIST" '"b","C:\\b"\r\n'
}

case_a_list_held_at_start_is_read_once_let_go() {
    write_file "$LIST" '"a","C:\\a"\r\n"b","C:\\b"\r\n'
    start_program
    # A scanner or a sync client at log-on holds the file while the program starts.
    probe hold 1500 "$(zpath "$LIST")" || fail "the list file could not be held: $PROBE_LINE"
    wait_main || return
    probe nodialog 500 || fail "a dialog appeared at start: $PROBE_LINE"
    combo_state
    expect_eq "combo box" "count=2 sel=-1" "$COMBO_HEAD"
    close_program ctrl+q
    expect_file "$LIST" '"a","C:\\a"\r\n"b","C:\\b"\r\n'
}

case_a_start_during_or_right_after_a_close_opens_its_window() {
    start_with_list '"a","C:\\a"\r\n"b","C:\\b"\r\n"c","C:\\c"\r\n' || return
    local old round
    for round in "right after the close" "while the save waits for a hold"; do
        key Down ctrl+d
        # Another program holds the list file for a moment, as the window closes.
        [ "$round" = "right after the close" ] || probe hold 1500 "$(zpath "$LIST")" ||
            fail "$round: the list file could not be held: $PROBE_LINE"
        old=$MAIN
        xdotool key ctrl+q
        start_copy "$CASE_DIR" "$KV_NAME"
        ends_after_close "$KV_PID" || return
        KV_PID=$SECOND_PID
        new_main_window "$old" || return
        combo_state
        expect_eq "$round: the new window's list" \
            "$([ "$round" = "right after the close" ] && echo $'"b","C:\\b"\n"c","C:\\c"' || echo '"c","C:\c"')" \
            "${COMBO_ITEMS%$'\n'}"
        wait_slid_in
        focus_main
    done
    close_program ctrl+q
    expect_file "$LIST" '"c","C:\\c"\r\n'
}
