# The commands through keys, clicks and the menu, with their real effects: processes the
# shell starts, entries, and the list file at the close.

case_launch_explorer() {
    mkdir -p "$CASE_DIR/My Folder, Two" "$CASE_DIR/a=b"
    local z list
    z=$(zpath "$CASE_DIR")
    list="\"sp\",\"${z//\\/\\\\}\\\\My Folder, Two\"\r\n\"eq\",\"${z//\\/\\\\}\\\\a=b\"\r\n"
    start_with_list "$list" || return
    key Down
    combo_state
    expect_eq "selection after Down" "count=2 sel=0" "$COMBO_HEAD"
    # The explorer splits its command line at commas and equals signs: the path goes in
    # double quotes.
    key alt+e
    explorer_started "/n,/e,\"$z\\My Folder, Two\"" || return
    expect_alive || return
    # The next entry, through a click on the button.
    back_to_main || {
        close_by_message
        expect_file "$LIST" "$list"
        return
    }
    # A click on the list opens it, Esc closes it, Down picks the next entry.
    click_control "$(child COMBOBOX)"
    key Escape Down
    combo_state
    expect_eq "selection after a click on the list, Esc and Down" "count=2 sel=1" "$COMBO_HEAD"
    click_control "$(child BUTTON)"
    explorer_started "/n,/e,\"$z\\a=b\"" || return
    expect_alive || return
    back_to_main
    close_program ctrl+q
    expect_file "$LIST" "$list"
}
WM_CASES+=(launch_explorer)

case_information_page_and_exit_menu() {
    # Wine hands web addresses to the desktop's opener; a stand-in records them.
    mkdir -p "$CASE_DIR/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s/opened.txt"\n' "$CASE_DIR" >"$CASE_DIR/bin/xdg-open"
    chmod +x "$CASE_DIR/bin/xdg-open"
    CASE_PATH=$CASE_DIR/bin:$PATH
    KV_NAME=tool.new.exe
    start_with_list '"a","C:\\a"\r\n' || return
    click_at 200 30 3
    probe menu 5000 || { fail "no menu after a right click"; return; }
    key i
    for _ in $(seq 150); do [ -s "$CASE_DIR/opened.txt" ] && break; sleep 0.1; done
    expect_eq "address opened" "http://www.example.com/info.php?pf=w&sn=tool.new" "$(cat "$CASE_DIR/opened.txt" 2>/dev/null)"
    expect_alive || return
    focus_main
    close_program menu
    expect_file "$LIST" '"a","C:\\a"\r\n'
}
WM_CASES+=(information_page_and_exit_menu)

case_folder_browser_cancelled() {
    write_file "$LIST" '"a","C:\\a"\r\n'
    start_program
    wait_main || return
    key ctrl+n
    dialog 10000 || return
    expect_eq "browser class" "#32770" "$DLG_CLASS"
    probe_list children "$DLG"
    expect_match "browser title" "class=Static .*text=登録パス\(フォルダ\)の選択" "$PROBE_LINES"
    key Escape
    probe gone 5000 "$DLG" || fail "the folder browser stayed open after Esc"
    probe nodialog 1500 || fail "a dialog followed the cancelled browser: $PROBE_LINE"
    combo_state
    expect_eq "combo box" "count=1 sel=-1" "$COMBO_HEAD"
    expect_alive || return
    close_program ctrl+q
    expect_file "$LIST" '"a","C:\\a"\r\n'
}
WM_CASES+=(folder_browser_cancelled)

case_delete_with_keys_and_close_box() {
    start_with_list '"a","C:\\a"\r\n"b","C:\\b"\r\n' || return
    key Down
    combo_state
    expect_eq "selection after Down" "count=2 sel=0" "$COMBO_HEAD"
    key ctrl+d
    combo_state
    expect_eq "after Ctrl+D" "count=1 sel=-1" "$COMBO_HEAD"
    expect_eq "entries after Ctrl+D" '"b","C:\b"' "${COMBO_ITEMS%$'\n'}"
    # Delete is disabled now: Ctrl+D does nothing.
    key ctrl+d
    combo_state
    expect_eq "after a second Ctrl+D" "count=1 sel=-1" "$COMBO_HEAD"
    # Nothing selected: the explorer gets the bare parameters.
    key alt+e
    explorer_started '/n,/e,' || return
    expect_alive || return
    if back_to_main; then close_program box; else close_by_message; fi
    expect_file "$LIST" '"b","C:\\b"\r\n'
}
WM_CASES+=(delete_with_keys_and_close_box)

case_keys_on_an_empty_list() {
    # Nothing to select, delete or open: every key is taken without harm.
    start_with_list '' || return
    key Down Up Home End Prior Next Delete BackSpace Return ctrl+d F4 Escape alt+Down Escape Tab shift+Tab a space
    probe nodialog 500 || fail "a dialog appeared: $PROBE_LINE"
    probe focus "$MAIN"
    expect_eq "focus after Tab and Shift+Tab" "$(child COMBOBOX)" "$(cut -d' ' -f2 <<<"$PROBE_LINE")"
    combo_state
    expect_eq "combo box" "count=0 sel=-1" "$COMBO_HEAD"
    expect_alive || return
    close_program ctrl+q
    expect_file "$LIST" ''
}

case_open_list_shows_twelve_rows() {
    local list= i
    for i in $(seq 1 20); do list+="\"n$i\",\"C:\\\\\\\\d$i\"\\r\\n"; done
    start_with_list "$list" || return
    key alt+Down
    probe_list windows
    expect_match "open list (640 wide, 12 rows of 15 and its frame)" "rect=[0-9-]+,[0-9-]+,640,182 .*class=ComboLBox" \
        "$PROBE_LINES"
    key Escape
    close_program ctrl+q
    expect_file "$LIST" "$list"
}

case_launch_folder_named_in_japanese() {
    # The explorer gets the very folder, whatever the system's code page: the stored
    # Shift-JIS path goes to the shell in Unicode.
    local folder="$CASE_DIR/写真 表"
    mkdir -p "$folder"
    local zp
    zp=$(zpath "$folder")
    start_with_list "\"写真\",\"${zp//\\/\\\\}\"\r\n" || return
    key Down
    key alt+e
    explorer_started "/n,/e,\"$zp\"" || return
    expect_alive || return
    close_others
    focus_main
    close_program ctrl+q
    expect_file "$LIST" "\"写真\",\"${zp//\\/\\\\}\"\r\n"
}

# Alt+E only presses the button: the keys stay on the list, also after the window is
# activated again. A plain E is no accelerator, not even on the focused button.
case_alt_e_leaves_the_keys_on_the_list() {
    mkdir -p "$CASE_DIR/a" "$CASE_DIR/b"
    local z list
    z=$(zpath "$CASE_DIR")
    list="\"a\",\"${z//\\/\\\\}\\\\a\"\r\n\"b\",\"${z//\\/\\\\}\\\\b\"\r\n"
    start_with_list "$list" || return
    local combo button
    combo=$(child COMBOBOX)
    button=$(child BUTTON)
    key Tab
    probe focus "$MAIN"
    expect_eq "focus after Tab" "$button" "$(cut -d' ' -f2 <<<"$PROBE_LINE")"
    key e
    sleep 2
    no_explorer || return
    key shift+Tab Down
    key alt+e
    explorer_started "/n,/e,\"$z\\a\"" || return
    # The explorer took the activation; a click brings the window back, the list focused.
    back_to_main || {
        close_by_message
        expect_file "$LIST" "$list"
        return
    }
    probe focus "$MAIN"
    expect_eq "focus after Alt+E and a click" "$combo" "$(cut -d' ' -f2 <<<"$PROBE_LINE")"
    key Down
    combo_state
    expect_eq "selection after Down" "count=2 sel=1" "$COMBO_HEAD"
    key alt+e
    explorer_started "/n,/e,\"$z\\b\"" || return
    expect_alive || return
    back_to_main || return
    close_program ctrl+q
    expect_file "$LIST" "$list"
}
WM_CASES+=(alt_e_leaves_the_keys_on_the_list)

# missing_folder_question <folder as named>: the question about a folder that is gone, in DLG.
missing_folder_question() {
    dialog 10000 || return 1
    expect_eq "question caption" "Kestrovane1" "$DLG_TEXT"
    probe_list children "$DLG"
    expect_eq "question" "text=フォルダ $1 が見つかりません。一覧から削除しますか?" \
        "$(grep -m1 'class=Static id=65535' <<<"$PROBE_LINES" | sed 's/.* text=/text=/')"
}

# The launch opens the folder an entry really names: a drive's root as the root, a
# variable expanded, a path beside the program; a folder that is gone starts nothing and
# is offered for deletion. What is stored never changes.
case_launch_real_paths_and_missing_folders() {
    mkdir -p "$CASE_DIR/Sub" "$CASE_DIR/kept"
    local z zz list
    z=$(zpath "$CASE_DIR")
    zz=${z//\\/\\\\}
    list="\"gone\",\"$zz\\\\gone\"\r\n\"C\",\"C:\"\r\n\"sys\",\"%%SystemRoot%%\"\r\n\"sub\",\".\\\\Sub\"\r\n\"rel\",\"kept\\\\..\\\\gone too\"\r\n"
    start_with_list "$list" || return
    # いいえ (the default) keeps the entry, and no explorer starts.
    key Down alt+e
    missing_folder_question "$z\\gone" || return
    answer_id 7
    sleep 1
    no_explorer || return
    focus_main
    combo_state
    expect_eq "after いいえ" "count=5 sel=0" "$COMBO_HEAD"
    # はい deletes it as the delete command does.
    key alt+e
    missing_folder_question "$z\\gone" || return
    answer_id 6
    focus_main
    combo_state
    expect_eq "after はい" "count=4 sel=-1" "$COMBO_HEAD"
    # A relative path is looked for, and named, by its real path.
    key Down Down Down Down alt+e
    missing_folder_question "$z\\gone too" || return
    answer_id 7
    no_explorer || return
    focus_main
    key Home alt+e
    explorer_started '/n,/e,"C:\"' || return
    close_others
    focus_main
    key Down alt+e
    explorer_started '/n,/e,"C:\windows"' || return
    close_others
    focus_main
    key Down alt+e
    explorer_started "/n,/e,\"$z\\Sub\"" || return
    close_others
    focus_main
    close_program ctrl+q
    expect_file "$LIST" "\"C\",\"C:\"\r\n\"sys\",\"%%SystemRoot%%\"\r\n\"sub\",\".\\\\Sub\"\r\n\"rel\",\"kept\\\\..\\\\gone too\"\r\n"
}
FIRST_PASS_CASES+=(launch_real_paths_and_missing_folders)
