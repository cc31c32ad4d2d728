# The window as a Windows user expects it: its taskbar entry, the keyboard focus after
# dialogs, the manifest's scaling, and the end of the session.

# taskbar_windows: the program's visible top-level windows that the taskbar and Alt+Tab
# show (an application window, or an unowned one that is no tool window), one per line
# in TASKBAR.
taskbar_windows() {
    TASKBAR=
    probe_list windows || return 1
    local line ex owner
    while IFS= read -r line; do
        [ -n "$line" ] || continue
        ex=$(field exstyle "$line")
        owner=$(field owner "$line")
        if (((ex & 0x40000) != 0)) || { [ "$owner" = 0 ] && (((ex & 0x80) == 0)); }; then
            TASKBAR+="$line"$'\n'
        fi
    done <<<"$PROBE_LINES"
    TASKBAR=${TASKBAR%$'\n'}
}

case_taskbar_entry_is_the_tool_window() {
    start_with_list '"a","C:\\a"\r\n' || return
    taskbar_windows
    expect_eq "taskbar entries" 1 "$(grep -c . <<<"$TASKBAR")"
    expect_eq "the entry's window" "$MAIN" "$(cut -d' ' -f1 <<<"$TASKBAR")"
    expect_eq "the entry's title" "Kestrovane1" "$(field text "$TASKBAR")"
    probe info "$MAIN"
    [ -n "$KV_WM" ] || expect_eq "bounds" "20,20,498,61" "$(field rect "$PROBE_LINE")"
    expect_eq "tool window above the others" "0x88" "$(printf '0x%x' $(($(field exstyle "$PROBE_LINE") & 0x88)))"
    # What a window manager makes of it: a window with a taskbar button, kept above.
    local state
    if [ -n "$KV_WM" ]; then
        x_clients | grep -q -x "$(printf '0x%x' "$XWIN")" || fail "the window manager does not manage the window"
        state=$(x_state "$XWIN")
        expect_match "window state" "_NET_WM_STATE_ABOVE" "$state"
        [[ $state == *SKIP_TASKBAR* ]] && fail "the window is kept off the taskbar: $state"
    fi
    # The icon is the program's MAINICON.
    probe resource '#14' MAINICON "$(zpath "$CASE_DIR/$KV_NAME")" || fail "no MAINICON in the executable"
    probe icon "$MAIN"
    [ "$(field class "$PROBE_LINE")" != 0x0 ] || fail "the window has no icon: $PROBE_LINE"
    # Showing a dialog adds no entry of its own.
    key ctrl+n
    dialog 10000 || return
    taskbar_windows
    expect_eq "taskbar entries while the browser is open" "$MAIN" "$(cut -d' ' -f1 <<<"$TASKBAR")"
    if [ -n "$KV_WM" ]; then
        local browser
        browser=$(x_clients | grep -v -x "$(printf '0x%x' "$XWIN")" | tail -1)
        [[ $(x_state "$browser") == *SKIP_TASKBAR* ]] || fail "the browser has a taskbar button: $(x_state "$browser")"
    fi
    key Escape
    probe gone 5000 "$DLG"
    close_program ctrl+q
    expect_file "$LIST" '"a","C:\\a"\r\n'
}
WM_CASES+=(taskbar_entry_is_the_tool_window)

case_keys_act_on_the_list_after_the_folder_browser() {
    start_with_list '"a","C:\\a"\r\n"b","C:\\b"\r\n' || return
    COMBO=$(child COMBOBOX)
    local button
    button=$(child BUTTON)
    key ctrl+n
    dialog 10000 || return
    expect_eq "browser class" "#32770" "$DLG_CLASS"
    # The window is disabled meanwhile: a click on its button launches nothing.
    probe info "$MAIN"
    expect_eq "main window enabled while the browser is open" 0 "$(field enabled "$PROBE_LINE")"
    key Escape
    probe gone 5000 "$DLG" || fail "the folder browser stayed open after Esc"
    # No click brings the window back: the keys reach the list at once.
    probe focus "$MAIN"
    expect_eq "focus after the browser" "$COMBO" "$(cut -d' ' -f2 <<<"$PROBE_LINE")"
    # Down selects the first entry, so Ctrl+D deletes it.
    key Down ctrl+d
    combo_state
    expect_eq "after Down and Ctrl+D" $'count=1 sel=-1\n"b","C:\\b"' "$COMBO_HEAD"$'\n'"${COMBO_ITEMS%$'\n'}"
    # Tab and Shift+Tab go between the list and the button.
    key Tab
    probe focus "$MAIN"
    expect_eq "focus after Tab" "$button" "$(cut -d' ' -f2 <<<"$PROBE_LINE")"
    key shift+Tab
    probe focus "$MAIN"
    expect_eq "focus after Shift+Tab" "$COMBO" "$(cut -d' ' -f2 <<<"$PROBE_LINE")"
    close_program ctrl+q
    expect_file "$LIST" '"b","C:\\b"\r\n'
}
WM_CASES+=(keys_act_on_the_list_after_the_folder_browser)

case_nothing_reaches_the_window_under_the_prompt_and_alt_e_launches_after_it() {
    local d=$CASE_DIR/drop
    mkdir -p "$d/one" "$d/two"
    start_with_list '' || return
    DLG=
    "$KV_DROP" "$XWIN" 200 40 "$d/one" || fail "the drop was not taken"
    dialog 10000 || return
    expect_eq "prompt caption" "名称の入力" "$DLG_TEXT"
    local first=$DLG
    # A drop, a click on the launch button and Ctrl+N while the prompt is open.
    "$KV_DROP" "$XWIN" 200 40 "$d/two"
    click_control "$(child BUTTON)"
    key ctrl+n
    probe dialog 1500 "$first" && fail "another dialog opened under the prompt: $PROBE_LINE"
    no_explorer
    key ctrl+a
    xdotool type --delay 60 "one"
    key Return
    probe gone 5000 "$first" || fail "the prompt stayed open after Enter"
    probe nodialog 1500 || fail "a dialog followed the prompt: $PROBE_LINE"
    combo_state
    local z
    z=$(zpath "$d")
    expect_eq "entries" "\"one\",\"$z\\one\"" "${COMBO_ITEMS%$'\n'}"
    # No click brings the window back: Alt+E launches at once (nothing selected).
    key alt+e
    explorer_started '/n,/e,' || return
    expect_alive || return
    if back_to_main; then close_program ctrl+q; else close_by_message; fi
    expect_file "$LIST" "\"one\",\"${z//\\/\\\\}\\\\one\"\r\n"
}
WM_CASES+=(nothing_reaches_the_window_under_the_prompt_and_alt_e_launches_after_it)

case_manifest_and_image_flags() {
    cp "$KV_EXE" "$CASE_DIR/$KV_NAME"
    probe_list resource '#24' '#1' "$(zpath "$CASE_DIR/$KV_NAME")" || { fail "no manifest: $PROBE_LINE"; return; }
    local m=$PROBE_LINES
    expect_match "GDI scaling" '<gdiScaling xmlns="http://schemas.microsoft.com/SMI/2017/WindowsSettings">true</gdiScaling>' "$m"
    [[ $m == *dpiAware* ]] && fail "the manifest declares DPI awareness: $m"
    expect_match "common controls 6" 'name="Microsoft.Windows.Common-Controls" version="6\.0\.0\.0"' "$m"
    # Made for Windows 7, 8, 8.1 and 10/11; run with the user's own rights.
    local os ids=
    for os in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
        1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
        expect_match "supported OS $os" "<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility\.v1\">.*<supportedOS Id=\"\\{$os\\}\"/>.*</compatibility>" "$m"
    done
    expect_match "execution level" '<trustInfo xmlns="urn:schemas-microsoft-com:asm\.v3">.*<requestedExecutionLevel level="asInvoker" uiAccess="false"/>' "$m"
    # The image: a 64-bit GUI program, terminal-server aware, ASLR with high entropy, DEP.
    probe image "$(zpath "$CASE_DIR/$KV_NAME")" || { fail "no image header: $PROBE_LINE"; return; }
    expect_eq "machine and subsystem" "0x8664 2" "$(field machine "$PROBE_LINE") $(field subsystem "$PROBE_LINE")"
    local dll=$(field dll "$PROBE_LINE")
    expect_eq "terminal server aware, dynamic base, high entropy, no execute" "0x8160" "$(printf '0x%x' $((dll & 0x8160)))"
    KV_CLOSED=1
}

case_end_of_session_writes_the_list_without_a_dialog() {
    local d=$CASE_DIR/new
    mkdir -p "$d"
    start_with_list '"a","C:\\a"\r\n\r\n' || return
    DLG=
    "$KV_DROP" "$XWIN" 200 40 "$d" || fail "the drop was not taken"
    dialog 10000 || return
    answer "キャンセル"
    # The query is answered with consent; nothing is written yet.
    probe send "$MAIN" 11 0 80000000
    expect_eq "answer to the end-of-session query" "ok 0x1" "$PROBE_LINE"
    expect_file "$LIST" '"a","C:\\a"\r\n\r\n'
    # The session ends: the list is written as the close writes it, without a dialog.
    probe send "$MAIN" 16 1 80000000
    probe nodialog 1000 || fail "a dialog at the end of the session: $PROBE_LINE"
    local z
    z=$(zpath "$d")
    expect_file "$LIST" "\"a\",\"C:\\\\a\"\r\n\"新規パス\",\"${z//\\/\\\\}\"\r\n"
    KV_CLOSED=1
    for _ in $(seq 50); do alive || break; sleep 0.1; done
    alive && fail "the program did not end with the session"
}

# With a desktop panel at the left and top edges (its work area from 120,40), the window
# slides in to 20,20 inside that area. Wine takes the work area from the root window's
# _NET_WORKAREA when its desktop starts, so the probe's Wine is started again after it
# is set; the display keeps the property after xprop has gone (-noreset).
case_slide_in_inside_the_work_area() {
    KV_WORK_AREA_SET=1
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "120,40,1160,760"
    echo quit >&"${PROBE[1]}"
    wait "$PROBE_PID" 2>/dev/null
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    coproc PROBE { wine "$KV_PROBE" 2>/dev/null; }
    write_file "$LIST" ''
    start_program
    wait_main || return
    local rect=
    for _ in $(seq 100); do
        probe info "$MAIN" || break
        rect=$(field rect "$PROBE_LINE")
        [ "$rect" = 140,60,498,61 ] && break
        sleep 0.1
    done
    expect_eq "the window after its slide-in" 140,60,498,61 "$rect"
    close_program ctrl+q
}
FIRST_PASS_CASES+=(slide_in_inside_the_work_area)
