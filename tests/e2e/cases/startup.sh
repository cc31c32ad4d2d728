# Start-up: the first run without a list file, and a list file as users and other tools
# leave it.

case_startup_without_list_file() {
    start_program
    dialog 20000 || return
    expect_eq "message box class" "#32770" "$DLG_CLASS"
    expect_eq "message box caption" "Kestrovane1" "$DLG_TEXT"
    probe_list children "$DLG"
    expect_match "message" "text=ファイル $(zpath "$CASE_DIR" | sed 's/\\/\\\\/g')/DirList\.txt は開けません\.$" \
        "$(grep -m1 'class=Static id=65535' <<<"$PROBE_LINES")"
    probe wait 0 KvTMainForm1 && fail "the window is visible while the open error is shown"
    # The slide-in goes on under the message box.
    sleep 2.5
    answer OK
    wait_main || return
    probe info "$MAIN"
    expect_eq "bounds right after the box" "20,20,498,61" "$(field rect "$PROBE_LINE")"
    expect_eq "caption" "Kestrovane1" "$(field text "$PROBE_LINE")"
    local style=$(field style "$PROBE_LINE") ex=$(field exstyle "$PROBE_LINE")
    # A tool window with a small caption and a close box only, above other windows,
    # taking dropped files.
    expect_eq "styles (caption, system menu; no sizing, no min/max box)" "0xc80000" \
        "$(printf '0x%x' $((style & 0xCF0000)))"
    expect_eq "extended styles (topmost, accepts files, tool window)" "0x98" "$(printf '0x%x' $((ex & 0x98)))"
    probe_list children "$MAIN"
    expect_match "combo box" "class=KvTMultiColComboBox[^ ]* id=[0-9]+ rect=40,8,340," "$PROBE_LINES"
    expect_match "launch button" "class=KvTButton[^ ]* id=[0-9]+ rect=386,8,100,21 .* text=ｴｸｽﾌﾟﾛｰﾗ起動\(&E\)" \
        "$PROBE_LINES"
    combo_state
    expect_eq "combo box" "count=0 sel=-1" "$COMBO_HEAD"
    probe focus "$MAIN"
    expect_eq "focus at start" "$COMBO" "$(cut -d' ' -f2 <<<"$PROBE_LINE")"
    close_program ctrl+q
    expect_file "$LIST" ''
}

case_startup_mixed_line_breaks() {
    # CR LF, a lone LF, an empty line, a lone CR, a trail byte 0x5C (表) and no final break.
    write_file "$LIST" '"a","C:\\a"\r\n"b","C:\\b"\n\n"c","C:\\c"\r"表","C:\\表"'
    start_program
    wait_main || return
    probe nodialog 1000 || fail "a dialog appeared at start: $PROBE_LINE"
    combo_state
    expect_eq "combo box" "count=5 sel=-1" "$COMBO_HEAD"
    expect_eq "entries" $'"a","C:\\a"\n"b","C:\\b"\n\n"c","C:\\c"\n"表","C:\\表"' "${COMBO_ITEMS%$'\n'}"
    # Untouched, the list is not written: every byte stays.
    close_program ctrl+q
    expect_file "$LIST" '"a","C:\\a"\r\n"b","C:\\b"\n\n"c","C:\\c"\r"表","C:\\表"'
}

case_program_in_a_folder_named_in_hangul() {
    # A folder whose name code page 932 cannot hold (a Korean user name, say): the list
    # file beside the program is read and written all the same.
    CASE_DIR="$CASE_DIR/사용자 폴더"
    LIST=$CASE_DIR/DirList.txt
    mkdir -p "$CASE_DIR"
    start_with_list '"写真","C:\\写真 表"\r\n"a","C:\\a"\r\n' || return
    probe nodialog 1000 || fail "a dialog appeared at start: $PROBE_LINE"
    combo_state
    expect_eq "entries" $'"写真","C:\\写真 表"\n"a","C:\\a"' "${COMBO_ITEMS%$'\n'}"
    key Down ctrl+d
    close_program ctrl+q
    expect_file "$LIST" '"a","C:\\a"\r\n'
}
