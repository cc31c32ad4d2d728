# The save at close in a folder that takes no writes (Program Files, a read-only share):
# the error, then the choice to close without saving.

case_unwritable_folder_offers_to_close_without_saving() {
    start_with_list '"a","C:\\a"\r\n' || return
    key Down ctrl+d
    # Nothing in the folder can be created, changed or replaced: as root, immutable.
    chattr +i "$LIST" "$CASE_DIR" || { fail "chattr +i refused"; return; }
    local shown_list
    shown_list=$(zpath "$CASE_DIR" | sed 's/\\/\\\\/g')/DirList\\.txt
    # いいえ, the default button (Enter): the window stays.
    key ctrl+q
    save_error_then_question || return
    key Return
    probe gone 10000 "$DLG" || fail "the question stayed open after Enter"
    probe nodialog 1500 || fail "a dialog followed the answer: $PROBE_LINE"
    expect_alive || return
    probe info "$MAIN"
    expect_eq "main window visible" 1 "$(field visible "$PROBE_LINE")"
    # はい: the program ends, the list file as it was.
    focus_main
    key ctrl+q
    save_error_then_question || return
    answer_id 6  # はい
    KV_CLOSED=1
    for _ in $(seq 100); do alive || break; sleep 0.1; done
    alive && { fail "the program did not end after はい"; return; }
    wait "$KV_PID"
    expect_eq "exit code" 0 $?
    chattr -i "$LIST" "$CASE_DIR"
    expect_file "$LIST" '"a","C:\\a"\r\n'
    expect_eq "files in the folder" "DirList.txt $KV_NAME wine.log" "$(cd "$CASE_DIR" && echo *)"
}

# save_error_then_question: the save's error box naming the list file, answered OK, and
# then the question whether to close without saving, in DLG.
save_error_then_question() {
    dialog 20000 || return 1
    probe_list children "$DLG"
    expect_match "error message" "text=ファイル $shown_list を作成できません\.$" \
        "$(grep -m1 'class=Static id=65535' <<<"$PROBE_LINES")"
    local error=$DLG
    answer OK
    dialog 10000 "$error" || return 1
    expect_eq "question caption" "Kestrovane1" "$DLG_TEXT"
    probe_list children "$DLG"
    expect_match "question" "text=フォルダの一覧を保存できませんでした。保存せずに終了しますか\?$" \
        "$(grep -m1 'class=Static id=65535' <<<"$PROBE_LINES")"
}
