# Renaming, re-pointing and moving entries in the window, through keys and the menu; the
# saved file has each change on its line, every other line byte for byte, and a line an
# editor added meanwhile.

# menu_key <letter>: the item with that mnemonic in the right-click menu.
menu_key() {
    click_at 200 30 3
    probe menu 5000 || { fail "no menu after a right click"; return 1; }
    key "$1"
}

case_rename_move_and_repoint_entries() {
    # Wine's folder browser selects a folder of its C: drive, not one of Z:.
    start_with_list "\"a\",\"C:\\\\a\"\r\n\"b\",\"C:\\\\b\"\r\n\"c\",\"C:\\\\windows\\\\Deep\"\r\n" || return
    key Down
    # F2: the prompt offers the name, all of it selected, so typing replaces it.
    key F2
    dialog 10000 || return
    expect_eq "prompt caption" "名称の変更" "$DLG_TEXT"
    probe_list children "$DLG"
    expect_match "prompt text" "text=C:\\\\a" "$PROBE_LINES"
    xdotool type --delay 60 "A2"
    key Return
    probe gone 5000 "$DLG" || fail "the prompt stayed open after Enter"
    combo_state
    expect_eq "after the rename" "count=3 sel=0" "$COMBO_HEAD"
    expect_eq "renamed entry" '"A2","C:\a"' "$(head -1 <<<"$COMBO_ITEMS")"
    # Esc, and OK with the field emptied, change nothing; the menu item opens the same prompt.
    local how
    for how in Escape "ctrl+a BackSpace Return"; do
        if [ "$how" = Escape ]; then key F2; else menu_key m; fi
        dialog 10000 || return
        expect_eq "prompt caption" "名称の変更" "$DLG_TEXT"
        # shellcheck disable=SC2086
        key $how
        probe gone 5000 "$DLG" || fail "the prompt stayed open after $how"
        combo_state
        expect_eq "entry after $how" '"A2","C:\a"' "$(head -1 <<<"$COMBO_ITEMS")"
    done
    # In the open list Ctrl+Down is the list's own: it moves the highlight, not the entry.
    local before=$COMBO_ITEMS
    key F4 ctrl+Down Escape
    combo_state
    expect_eq "order after Ctrl+Down in the open list" "$before" "$COMBO_ITEMS"
    key Home ctrl+Down
    menu_key u
    menu_key o
    key ctrl+Down
    combo_state
    expect_eq "after the moves" "count=3 sel=2|\"b\",\"C:\\b\"|\"c\",\"C:\\windows\\Deep\"|\"A2\",\"C:\\a\"|" \
        "$COMBO_HEAD|$(tr '\n' '|' <<<"${COMBO_ITEMS%$'\n'}")"
    key ctrl+Down  # the last entry: the command is disabled
    combo_state
    expect_eq "at the end" "count=3 sel=2" "$COMBO_HEAD"
    # The folder browser opens at the nearest folder of the entry's that is there.
    key Up
    menu_key f
    dialog 10000 || return
    expect_eq "browser class" "#32770" "$DLG_CLASS"
    key Return
    probe gone 5000 "$DLG" || fail "the folder browser stayed open after Enter"
    combo_state
    expect_eq "re-pointed entry" '"c","C:\windows"' "$(sed -n 2p <<<"$COMBO_ITEMS")"
    # An editor adds a line meanwhile: both reach the file.
    printf '"e","C:\\e"\r\n' >>"$LIST"
    expect_alive || return
    close_program ctrl+q
    expect_file "$LIST" "\"b\",\"C:\\\\b\"\r\n\"c\",\"C:\\\\windows\"\r\n\"A2\",\"C:\\\\a\"\r\n\"e\",\"C:\\\\e\"\r\n"
}
WM_CASES+=(rename_move_and_repoint_entries)
