# Registration by a real drop: an X client drags files onto the window through XDND,
# Wine turns that into the window's dropped-files message.

# drop_on_main <path>...: drops the paths on the main window, inside its client area.
drop_on_main() {
    "$KV_DROP" "$XWIN" 200 40 "$@" || fail "the drop was not taken (xdnd-drop exit $?)"
}

# prompt <folder as shown>: the next naming prompt, checked for its make-up; the edit
# field's handle in EDIT.
prompt() {
    dialog 10000 "${DLG:-0}" || return 1
    expect_eq "prompt caption" "名称の入力" "$DLG_TEXT"
    probe_list children "$DLG"
    local lines=$PROBE_LINES
    expect_eq "prompt text" "$1" "$(field text "$(grep -m1 'class=Static ' <<<"$lines")")"
    EDIT=$(grep -m1 'class=Edit ' <<<"$lines" | cut -d' ' -f1)
    expect_eq "default name" "新規パス" "$(field text "$(grep -m1 'class=Edit ' <<<"$lines")")"
    probe edit "$EDIT"
    expect_eq "name field" "limit=255 sel=0,4" "${PROBE_LINE#ok }"
    expect_eq "buttons" $'OK\nキャンセル' "$(grep 'class=Button ' <<<"$lines" | sed 's/.*text=//')"
}

case_drop_three_items() {
    local d=$CASE_DIR/drop
    mkdir -p "$d/a b" "$d/表"
    : >"$d/a b/f.txt"
    : >"$LIST"
    start_program
    wait_main || return
    wait_slid_in
    DLG=
    drop_on_main "$d/a b" "$d/a b/f.txt" "$d/表" || return
    local z
    z=$(zpath "$d")
    # A folder registers itself, under the typed name.
    prompt "$z\\a b" || return
    probe settext "$EDIT" "データ"
    answer OK
    # A file registers its folder; an emptied name registers nothing.
    prompt "$z\\a b" || return
    probe settext "$EDIT" ""
    answer OK
    # A trail byte 0x5C stays part of its character; a cancel registers the default name.
    prompt "$z\\表" || return
    answer "キャンセル"
    probe nodialog 2000 || fail "a fourth prompt appeared"
    combo_state
    expect_eq "combo box" "count=2 sel=-1" "$COMBO_HEAD"
    expect_alive || return
    focus_main
    close_program ctrl+q
    expect_file "$LIST" "\"データ\",\"${z//\\/\\\\}\\\\a b\"\r\n\"新規パス\",\"${z//\\/\\\\}\\\\表\"\r\n"
}

# Folders whose names code page 932 has no bytes for, one whose characters end in the
# byte 0x5C, and one deeper than 259 bytes, dropped for real. Every stored entry must
# lead back to the very folder dropped (Wine gives the first two 8.3 names, which the
# program stores in their place), never to the folder above it.
case_drop_unicode_and_long_paths() {
    local d=$CASE_DIR/drop
    local deep=$d/deep
    while [ ${#deep} -lt 300 ]; do deep+=/a_rather_long_folder_name; done
    local folders=("$d/한국어" "$d/pics 😀" "$d/ソ能表" "$deep")
    mkdir -p "${folders[@]}"
    : >"$LIST"
    start_program
    wait_main || return
    wait_slid_in
    DLG=
    drop_on_main "${folders[@]}" || return
    local shown=() i
    for i in 0 1 2 3; do
        dialog 10000 "${DLG:-0}" || return
        expect_eq "prompt caption" "名称の入力" "$DLG_TEXT"
        probe_list children "$DLG"
        shown+=("$(field text "$(grep -m1 'class=Static ' <<<"$PROBE_LINES")")")
        probe settext "$(grep -m1 'class=Edit ' <<<"$PROBE_LINES" | cut -d' ' -f1)" "n$i"
        answer OK
    done
    probe nodialog 2000 || fail "a fifth prompt appeared"
    expect_alive || return
    focus_main
    close_program ctrl+q
    local lines stored
    mapfile -t lines < <(iconv -f CP932 -t UTF-8 "$LIST" | tr -d '\r')
    expect_eq "entries" 4 "${#lines[@]}"
    for i in 0 1 2 3; do
        stored=${lines[$i]#\"n$i\",\"}
        stored=${stored%\"}
        expect_eq "entry $i as prompted" "${shown[$i]}" "$stored"
        probe longpath "$stored"
        expect_eq "folder of entry $i" "ok $(zpath "${folders[$i]}")" "$PROBE_LINE"
    done
    # The names that convert are stored as they stand, however long.
    expect_eq "0x5C trail bytes" "$(zpath "${folders[2]}")" "${shown[2]}"
    expect_eq "deeper than 259 bytes" "$(zpath "$deep")" "${shown[3]}"
    expect_match "Hangul by its 8.3 name" '~' "${shown[0]}"
}

# Two files of one folder, one whose own name code page 932 cannot hold: both register
# the folder by its own name (not by its 8.3 name), as the two entries of one folder.
case_drop_files_whose_names_the_code_page_cannot_hold() {
    local d="$CASE_DIR/Long Folder Name"
    mkdir -p "$d"
    : >"$d/plain.txt"
    : >"$d/한국.txt"
    : >"$LIST"
    start_program
    wait_main || return
    wait_slid_in
    DLG=
    drop_on_main "$d/plain.txt" "$d/한국.txt" || return
    local z
    z=$(zpath "$d")
    prompt "$z" || return
    probe settext "$EDIT" "p"
    answer OK
    prompt "$z" || return
    probe settext "$EDIT" "k"
    answer OK
    probe nodialog 2000 || fail "a third prompt appeared"
    expect_alive || return
    focus_main
    close_program ctrl+q
    expect_file "$LIST" "\"p\",\"${z//\\/\\\\}\"\r\n\"k\",\"${z//\\/\\\\}\"\r\n"
}

# A drop while another program's window is active (the explorer just started): the
# naming prompt comes up above it and takes the name; the program goes on after it.
# Without a window manager the explorer's window would lie above the program.
case_drop_while_another_window_is_active() {
    local d=$CASE_DIR/drop
    mkdir -p "$d/new"
    start_with_list '' || return
    key alt+e
    explorer_started '/n,/e,' || return
    local explorer=
    for _ in $(seq 50); do
        explorer=$(x_clients | grep -v -x "$(printf '0x%x' "$XWIN")" | tail -1)
        [ -n "$explorer" ] && [ "$(x_active)" = "$explorer" ] && break
        sleep 0.1
    done
    expect_eq "active window after the launch" "$explorer" "$(x_active)"
    DLG=
    drop_on_main "$d/new" || return
    prompt "$(zpath "$d")\\new" || return
    [ "$(x_clients | tail -1)" != "$explorer" ] || fail "the prompt lies under the explorer's window"
    click_control "$EDIT"
    key ctrl+a
    xdotool type --delay 60 "dropped"
    key Return
    probe gone 5000 "$DLG" || fail "the prompt stayed open after Enter"
    combo_state
    expect_eq "entries" "\"dropped\",\"$(zpath "$d")\\new\"" "${COMBO_ITEMS%$'\n'}"
    # Wine 8 under a window manager leaves the activation to it, which gives it back to
    # the explorer's window (Windows gives it to the prompt's owner): a click brings the
    # program back, and Alt+E launches (nothing selected).
    back_to_main || return
    key alt+e
    explorer_started '/n,/e,' || return
    back_to_main
    close_program ctrl+q
    local z
    z=$(zpath "$d")
    expect_file "$LIST" "\"dropped\",\"${z//\\/\\\\}\\\\new\"\r\n"
}
WM_ONLY_CASES+=(drop_while_another_window_is_active)

# Shortcuts from the desktop, made by the shell's own IShellLinkW: one to a folder
# registers that folder, one to a file the file's folder, one whose target has gone the
# folder holding the shortcut, as any dropped file.
case_drop_shortcuts() {
    local d=$CASE_DIR/drop z
    mkdir -p "$d/Desk" "$d/Work/Project" "$d/Docs"
    : >"$d/Docs/a.txt"
    : >"$d/was.txt"
    z=$(zpath "$d")
    start_with_list '' || return
    probe shortcut "$z\\Desk\\Project.lnk" "$z\\Work\\Project" || { fail "no shortcut: $PROBE_LINE"; return; }
    probe shortcut "$z\\Desk\\Doc.lnk" "$z\\Docs\\a.txt" || { fail "no shortcut: $PROBE_LINE"; return; }
    probe shortcut "$z\\Desk\\Gone.lnk" "$z\\was.txt" || { fail "no shortcut: $PROBE_LINE"; return; }
    rm "$d/was.txt"
    DLG=
    drop_on_main "$d/Desk/Project.lnk" "$d/Desk/Doc.lnk" "$d/Desk/Gone.lnk" || return
    prompt "$z\\Work\\Project" || return
    probe settext "$EDIT" "project"
    answer OK
    prompt "$z\\Docs" || return
    probe settext "$EDIT" "docs"
    answer OK
    prompt "$z\\Desk" || return
    probe settext "$EDIT" "desk"
    answer OK
    probe nodialog 2000 || fail "a fourth prompt appeared"
    focus_main
    close_program ctrl+q
    local zz=${z//\\/\\\\}
    expect_file "$LIST" "\"project\",\"$zz\\\\Work\\\\Project\"\r\n\"docs\",\"$zz\\\\Docs\"\r\n\"desk\",\"$zz\\\\Desk\"\r\n"
}
FIRST_PASS_CASES+=(drop_shortcuts)
