# List files in the encodings Windows editors write (UTF-16 with a mark, UTF-8 with and
# without one), lines the list control cannot show whole, a read-only list, and names
# with quotes or characters Shift-JIS cannot hold.

# encoded <encoding> <printf text in UTF-8>: the bytes of a list file in that encoding.
encoded() {
    case $1 in
    utf16le) printf '\xff\xfe'; printf "$2" | iconv -f UTF-8 -t UTF-16LE ;;
    utf8bom) printf '\xef\xbb\xbf'; printf "$2" ;;
    utf8) printf "$2" ;;
    sjis) printf "$2" | iconv -f UTF-8 -t CP932 ;;
    esac
}
# expect_encoded <encoding> <printf text in UTF-8>: the list file holds exactly those bytes.
expect_encoded() {
    expect_eq "bytes of the $1 list" "$(encoded "$1" "$2" | od -An -tx1 | tr -s ' \n' ' ')" \
        "$(od -An -tx1 "$LIST" 2>/dev/null | tr -s ' \n' ' ')"
}

# log_off: the session ends (asked, then told), as at a log-off or shut-down.
log_off() {
    probe send "$MAIN" 11 0 0
    probe post "$MAIN" 16 1 0
    KV_CLOSED=1
    for _ in $(seq 100); do alive || break; sleep 0.1; done
    alive && { fail "the program did not end at the log-off"; return 1; }
    wait "$KV_PID"
}

# register_dropped <folder> <name>: drops the folder and names it in the prompt.
register_dropped() {
    DLG=
    drop_on_main "$1" || return 1
    dialog 10000 || return 1
    probe_list children "$DLG"
    expect_eq "prompt text" "$(zpath "$1")" "$(field text "$(grep -m1 'class=Static ' <<<"$PROBE_LINES")")"
    probe settext "$(grep -m1 'class=Edit ' <<<"$PROBE_LINES" | cut -d' ' -f1)" "$2"
    answer OK
}

# Each encoding: shown right (写真 in code page 932), kept byte for byte through an untouched
# close or a log-off, and a registration appended in the file's own encoding. In the UTF-8
# lists a Hangul folder is registered by its own name and opened by it, and "Café" is
# stored as typed.
case_unicode_lists_are_shown_kept_and_extended_in_their_encoding() {
    local list='"写真","C:\\写真"\r\n"b","C:\\b"\r\n'
    local enc how name folder z
    for enc in utf16le utf8bom utf8; do
        encoded "$enc" "$list" >"$LIST"
        COMBO=
        start_program
        wait_main || return
        combo_state
        expect_eq "$enc entries" $'"写真","C:\\写真"\n"b","C:\\b"' "${COMBO_ITEMS%$'\n'}"
        if [ $enc = utf8bom ]; then log_off || return; else wait_slid_in; close_program ctrl+q || return; fi
        expect_encoded $enc "$list"

        case $enc in
        utf16le) name=新規; folder=$CASE_DIR/f16 ;;
        utf8bom) name=Café; folder=$CASE_DIR/café ;;
        utf8) name=한국; folder=$CASE_DIR/한국 ;;
        esac
        mkdir -p "$folder"
        start_program
        wait_main || return
        wait_slid_in
        register_dropped "$folder" "$name" || return
        z=$(zpath "$folder")
        if [ $enc = utf8 ]; then
            focus_main
            key Down Down Down alt+e
            explorer_started "/n,/e,\"$z\"" || return
            close_by_message || return  # the explorer's window may cover the program's
        elif [ $enc = utf16le ]; then
            log_off || return
        else
            focus_main
            close_program ctrl+q || return
        fi
        expect_encoded $enc "$list\"$name\",\"${z//\\/\\\\}\"\r\n"
    done
}
FIRST_PASS_CASES+=(unicode_lists_are_shown_kept_and_extended_in_their_encoding)

# A line holding a NUL, which the list control shows only up to it, survives the deletion
# of another entry; a read-only list the window did not change closes without a word.
case_a_line_with_a_nul_is_kept_and_a_read_only_list_closes_quietly() {
    printf '"a\0b","C:\\a"\r\n"c","C:\\c"\r\n\x81\r\n' >"$LIST"
    start_program
    wait_main || return
    wait_slid_in
    key Down Down ctrl+d
    combo_state
    expect_eq "after the deletion" "count=2 sel=-1" "$COMBO_HEAD"
    close_program ctrl+q || return
    expect_eq "the other lines" "$(printf '"a\0b","C:\\a"\r\n\x81\r\n' | od -An -tx1)" "$(od -An -tx1 "$LIST")"

    chattr +i "$LIST" || { fail "chattr +i refused"; return; }
    start_program
    wait_main || { chattr -i "$LIST"; return; }
    wait_slid_in
    key ctrl+q
    probe nodialog 1500 || fail "a box at the close of an unchanged read-only list: $PROBE_LINE"
    KV_CLOSED=1
    for _ in $(seq 100); do alive || break; sleep 0.1; done
    alive && fail "the program did not end"
    chattr -i "$LIST"
    expect_eq "the list" "$(printf '"a\0b","C:\\a"\r\n\x81\r\n' | od -An -tx1)" "$(od -An -tx1 "$LIST")"
}
FIRST_PASS_CASES+=(a_line_with_a_nul_is_kept_and_a_read_only_list_closes_quietly)

# In a Shift-JIS list "Café" is refused with a message and asked for again with what was
# typed; a name with quotation marks is stored with them doubled and opens its folder.
case_a_shift_jis_list_refuses_cafe_and_keeps_quotes() {
    local folder=$CASE_DIR/q
    mkdir -p "$folder"
    write_file "$LIST" '"a","C:\\a"\r\n'
    start_program
    wait_main || return
    wait_slid_in
    register_dropped "$folder" "Café" || return
    dialog 10000 || return
    probe_list children "$DLG"
    expect_match "refusal" "text=名前 Caf\? には、この一覧の文字コード \(Shift-JIS\) で保存できない文字が含まれているため、登録できません\.$" \
        "$(grep -m1 'class=Static id=65535' <<<"$PROBE_LINES")"
    answer OK
    local error=$DLG
    dialog 10000 "$error" || return
    expect_eq "prompt again" "名称の入力" "$DLG_TEXT"
    probe_list children "$DLG"
    expect_eq "the typed name is back" "Café" "$(field text "$(grep -m1 'class=Edit ' <<<"$PROBE_LINES")")"
    probe settext "$(grep -m1 'class=Edit ' <<<"$PROBE_LINES" | cut -d' ' -f1)" 'say "hi"'
    answer OK
    local z
    z=$(zpath "$folder")
    focus_main
    key Down Down alt+e
    explorer_started "/n,/e,\"$z\"" || return
    close_by_message || return
    expect_file "$LIST" "\"a\",\"C:\\\\a\"\r\n\"say \"\"hi\"\"\",\"${z//\\/\\\\}\"\r\n"
}
FIRST_PASS_CASES+=(a_shift_jis_list_refuses_cafe_and_keeps_quotes)
