# One window per list file: a second start for the same list brings the running window
# forward and ends; a copy in another folder, with its own list, runs beside it.

# start_copy <folder> <program path as given to wine>: another copy, in SECOND_PID.
start_copy() {
    (cd "$1" && PATH=$CASE_PATH exec wine "$2" >>"$CASE_DIR/wine.log" 2>&1) &
    SECOND_PID=$!
}
# ends_by_itself <pid>: waits for the process to end; its exit code in ENDED_WITH.
ends_by_itself() {
    ENDED_WITH=
    for _ in $(seq 150); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$1" 2>/dev/null && { fail "the second start did not end by itself"; kill "$1"; return 1; }
    wait "$1"
    ENDED_WITH=$?
}
# main_windows: the program's main windows of every copy, one "hwnd pid=n" per line.
main_windows() {
    probe_list mains
    MAINS=${PROBE_LINES%$'\n'}
}

case_second_start_over_the_same_list_brings_the_window_forward_and_ends() {
    start_with_list '"a","C:\\a"\r\n' || return
    touch -d '2001-01-01 00:00' "$LIST"
    # Another program in front of the window.
    (PATH=$CASE_PATH exec wine notepad >/dev/null 2>&1) &
    for _ in $(seq 100); do probe_list others && [ -n "$PROBE_LINES" ] && break; sleep 0.1; done
    local editor round upper
    editor=$(cut -d' ' -f1 <<<"$PROBE_LINES")
    # The program's path spelled otherwise: upper case, from another working folder.
    upper=$(zpath "$CASE_DIR/$KV_NAME" | tr 'a-z' 'A-Z')
    for round in "behind another program" "minimised"; do
        if [ "$round" = minimised ]; then
            probe post "$MAIN" 112 F020 0
            for _ in $(seq 50); do
                probe info "$MAIN"
                (($(field style "$PROBE_LINE") & 0x20000000)) && break
                sleep 0.1
            done
        else
            probe foreground
            expect_eq "foreground window before" "ok $editor" "$PROBE_LINE"
        fi
        start_copy / "$upper"
        ends_by_itself "$SECOND_PID" || return
        expect_eq "$round: exit code of the second start" 0 "$ENDED_WITH"
        main_windows
        expect_eq "$round: main windows" "$MAIN pid=" "$(sed 's/pid=.*/pid=/' <<<"$MAINS")"
        probe_list others
        expect_eq "$round: windows of other programs" "$editor" "$(cut -d' ' -f1 <<<"$PROBE_LINES")"
        probe info "$MAIN"
        expect_eq "$round: minimised afterwards" 0 $((($(field style "$PROBE_LINE") & 0x20000000) != 0))
        expect_eq "$round: visible" 1 "$(field visible "$PROBE_LINE")"
        probe foreground
        expect_eq "$round: foreground window" "ok $MAIN" "$PROBE_LINE"
    done
    expect_eq "list file left alone" "2001-01-01 00:00" "$(date -r "$LIST" '+%Y-%m-%d %H:%M')"
    close_others
    focus_main
    # The running window goes on as before.
    key Down ctrl+d
    close_program ctrl+q
    expect_file "$LIST" ''
}

case_a_copy_in_another_folder_runs_beside_it() {
    start_with_list '"a","C:\\a"\r\n' || return
    local other=$CASE_DIR/other
    mkdir -p "$other"
    cp "$KV_EXE" "$other/$KV_NAME"
    write_file "$other/DirList.txt" '"b","C:\\b"\r\n'
    start_copy "$other" "$KV_NAME"
    local second=
    for _ in $(seq 100); do
        main_windows
        second=$(grep -v "^$MAIN " <<<"$MAINS" | cut -d' ' -f1)
        [ -n "$second" ] && break
        sleep 0.1
    done
    [ -n "$second" ] || { fail "no second window: $MAINS"; return; }
    kill -0 "$SECOND_PID" || fail "the copy in another folder has ended"
    local combo2
    combo2=$(probe_list children "$second" && grep -m1 "class=[^ ]*COMBOBOX " <<<"$PROBE_LINES" | cut -d' ' -f1)
    probe_list combo "$combo2"
    expect_eq "the other copy's list" '"b","C:\b"' "${PROBE_LINES%$'\n'}"
    combo_state
    expect_eq "this copy's list" "count=1 sel=-1" "$COMBO_HEAD"
    probe post "$second" 10 0 0
    ends_by_itself "$SECOND_PID" || return
    expect_eq "exit code of the other copy" 0 "$ENDED_WITH"
    expect_alive || return
    focus_main
    close_program ctrl+q
    expect_file "$LIST" '"a","C:\\a"\r\n'
    expect_file "$other/DirList.txt" '"b","C:\\b"\r\n'
}

# The folder reached through a symbolic link is the same folder: a start through the link
# and one through the real path share one window. A second start while the first copy asks
# for a name brings the prompt forward, not the main window that waits under it.
case_second_start_through_a_link_or_under_the_prompt_comes_to_the_first() {
    local link=$E2E_ROOT/$CASE.link d=$CASE_DIR/drop real
    rm -f "$link"
    ln -s "$CASE_DIR" "$link"
    mkdir -p "$d"
    write_file "$LIST" '"a","C:\\a"\r\n'
    cp "$KV_EXE" "$CASE_DIR/$KV_NAME"
    (cd / && PATH=$CASE_PATH exec wine "$(zpath "$link/$KV_NAME")" >"$CASE_DIR/wine.log" 2>&1) &
    KV_PID=$!
    wait_main || return
    wait_slid_in
    real=$(zpath "$CASE_DIR/$KV_NAME")
    start_copy / "$real"
    ends_by_itself "$SECOND_PID" || return
    main_windows
    expect_eq "main windows after a start through the real path" "$MAIN pid=" "$(sed 's/pid=.*/pid=/' <<<"$MAINS")"

    DLG=
    "$KV_DROP" "$XWIN" 200 40 "$d" || fail "the drop was not taken"
    dialog 10000 || return
    local prompt=$DLG editor
    # Another program in front of the prompt.
    (PATH=$CASE_PATH exec wine notepad >/dev/null 2>&1) &
    for _ in $(seq 100); do probe_list others && [ -n "$PROBE_LINES" ] && break; sleep 0.1; done
    editor=$(cut -d' ' -f1 <<<"$PROBE_LINES")
    for _ in $(seq 50); do probe foreground; [ "$PROBE_LINE" = "ok $editor" ] && break; sleep 0.1; done
    expect_eq "foreground window before" "ok $editor" "$PROBE_LINE"
    start_copy / "$real"
    ends_by_itself "$SECOND_PID" || return
    probe foreground
    expect_eq "foreground window after a start under the prompt" "ok $prompt" "$PROBE_LINE"
    main_windows
    expect_eq "main windows after a start under the prompt" "$MAIN pid=" "$(sed 's/pid=.*/pid=/' <<<"$MAINS")"
    probe_list children "$prompt"
    probe settext "$(grep -m1 'class=Edit ' <<<"$PROBE_LINES" | cut -d' ' -f1)" "n"
    answer OK
    close_others
    focus_main
    close_program ctrl+q
    rm -f "$link"
    local z
    z=$(zpath "$d")
    expect_file "$LIST" "\"a\",\"C:\\\\a\"\r\n\"n\",\"${z//\\/\\\\}\"\r\n"
}
FIRST_PASS_CASES+=(second_start_through_a_link_or_under_the_prompt_comes_to_the_first)
