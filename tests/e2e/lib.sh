# The end-to-end tests' tools: start the real Kestrovane1.exe in a fresh folder under
# Wine, drive it from outside as a user does (xdotool keys and clicks, a real XDND drop),
# read its windows through the probe, and check what it did to the world.
# Sourced by tests/e2e/run; every case is a function named case_<name> in a file of
# tests/e2e/cases/. A case gets a fresh Wine, a fresh folder CASE_DIR (the list file is
# LIST) and a running probe; it starts the program (start_program, start_with_list),
# drives it, and ends by closing it (close_program) and checking the list file's bytes
# (expect_file). The runner checks that a case that did not close the program left it
# running. Run some cases: scripts/with-display tests/e2e/run '<name regex>'.

E2E_ROOT=${E2E_ROOT:-$kv_root/build/e2e}
KV_EXE=$kv_root/build/win/Kestrovane1.exe
KV_PROBE=$kv_root/build/win/Probe.exe
KV_DROP=$kv_root/build/native/xdnd-drop

# ---------------------------------------------------------------- failures

E2E_FAILED=0
fail() {
    echo "    FAIL: $*"
    E2E_FAILED=1
    return 1
}
# expect_eq <what> <expected> <actual>
expect_eq() {
    [ "$2" = "$3" ] && return 0
    fail "$1: expected [$2], got [$3]"
}
# expect_match <what> <extended regex> <actual>
expect_match() {
    [[ $3 =~ $2 ]] && return 0
    fail "$1: [$3] does not match [$2]"
}

# ---------------------------------------------------------------- the probe

# probe <command...>: one answer line in PROBE_LINE; status 0 when it starts with "ok".
probe() {
    echo "$*" >&"${PROBE[1]}"
    PROBE_LINE=
    IFS= read -r -t 60 PROBE_LINE <&"${PROBE[0]}" || { PROBE_LINE="err the probe did not answer"; return 1; }
    PROBE_LINE=${PROBE_LINE%$'\r'}
    [[ $PROBE_LINE == ok* ]]
}
# probe_list <command...>: the listed lines in PROBE_LINES (one per line).
probe_list() {
    probe "$@" || return 1
    PROBE_LINES=
    local l
    while IFS= read -r -t 60 l <&"${PROBE[0]}"; do
        l=${l%$'\r'}
        [ "$l" = "." ] && return 0
        PROBE_LINES+="$l"$'\n'
    done
    return 1
}
# field <key> <line>: the value of key=value in a probe answer (text= runs to the end).
field() {
    if [ "$1" = text ]; then
        echo "${2#*text=}"
    else
        [[ " $2 " =~ \ $1=([^ ]*)\  ]] && echo "${BASH_REMATCH[1]}"
    fi
}

# ---------------------------------------------------------------- the program

# start_case <name>: a fresh folder with a copy of the program, a Wine without windows
# of an earlier case, and the probe.
start_case() {
    CASE=$1
    CASE_DIR=$E2E_ROOT/$1
    chattr -R -i "$CASE_DIR" 2>/dev/null  # a case that made its folder immutable and failed
    rm -rf "$CASE_DIR"
    mkdir -p "$CASE_DIR"
    KV_NAME=Kestrovane1.exe
    KV_CLOSED= KV_PID= EXPLORERS_SEEN=" " OTHERS_SEEN=" "
    COMBO= MAIN= XWIN= COMBO_HEAD= COMBO_ITEMS= PROBE_LINES=
    LIST=$CASE_DIR/DirList.txt
    CASE_PATH=$PATH
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    coproc PROBE { wine "$KV_PROBE" 2>/dev/null; }
}

# zpath <Unix path>: the path as the program sees it (the prefix maps / to drive Z:).
zpath() { local p=${1//\//\\}; echo "Z:$p"; }

# start_program: runs the program from the case folder (KV_NAME, PATH as CASE_PATH).
start_program() {
    cp "$KV_EXE" "$CASE_DIR/$KV_NAME"
    (cd "$CASE_DIR" && PATH=$CASE_PATH exec wine "$KV_NAME" >"$CASE_DIR/wine.log" 2>&1) &
    KV_PID=$!
}

# start_with_list <list file bytes, as for write_file>: the program on that list, slid in.
start_with_list() {
    write_file "$LIST" "$1"
    start_program
    wait_main || return 1
    wait_slid_in
}

alive() { [ -n "$KV_PID" ] && kill -0 "$KV_PID" 2>/dev/null; }
expect_alive() { alive || fail "the program has ended: $(tail -3 "$CASE_DIR/wine.log" 2>/dev/null | tr '\n' ' ')"; }

# wait_main: the main window once visible, in MAIN (probe handle) and XWIN (X window).
wait_main() {
    probe wait 20000 KvTMainForm1 || { fail "no main window"; return 1; }
    MAIN=${PROBE_LINE#ok }
    XWIN=
    for _ in $(seq 100); do
        XWIN=$(xdotool search --onlyvisible --classname kestrovane1.exe 2>/dev/null | head -1)
        [ -z "$XWIN" ] && XWIN=$(xdotool search --onlyvisible --name '^Kestrovane1$' 2>/dev/null | head -1)
        [ -n "$XWIN" ] && break
        sleep 0.1
    done
    [ -n "$XWIN" ] || { fail "no X window for the main window"; return 1; }
}

# wait_slid_in: waits until the slide-in has ended (the window at its final bounds; a
# window manager may keep it elsewhere, so under one only its final size counts).
wait_slid_in() {
    local want=20,20,498,61
    for _ in $(seq 100); do
        probe info "$MAIN" || break
        if [ -n "$KV_WM" ]; then
            [[ $(field rect "$PROBE_LINE") == *,498,61 ]] && return 0
        else
            [ "$(field rect "$PROBE_LINE")" = "$want" ] && return 0
        fi
        sleep 0.1
    done
    fail "the window did not reach $want: $PROBE_LINE"
}

# child <class suffix>: the handle of the main window's child of that class.
child() {
    probe_list children "$MAIN" || return 1
    grep -m1 "class=[^ ]*$1 " <<<"$PROBE_LINES" | cut -d' ' -f1
}

# dialog [timeout ms] [except]: the program's dialog now showing, in DLG, DLG_CLASS, DLG_TEXT.
dialog() {
    probe dialog "${1:-10000}" "${2:-0}" || { fail "no dialog appeared"; return 1; }
    DLG=$(cut -d' ' -f2 <<<"$PROBE_LINE")
    DLG_CLASS=$(field class "$PROBE_LINE")
    DLG_TEXT=$(field text "$PROBE_LINE")
}
# dialog_child <class> [id]: the handle of a dialog's control.
dialog_child() {
    probe_list children "$DLG" || return 1
    grep "class=$1 " <<<"$PROBE_LINES" | { [ -n "${2:-}" ] && grep " id=$2 " || cat; } | head -1 | cut -d' ' -f1
}
# answer <button caption>: presses the button and waits until the dialog has gone.
answer() {
    local d=$DLG
    probe press "$DLG" "$1" || { fail "no button $1 in the dialog: $PROBE_LINE"; return 1; }
    probe gone 10000 "$d" || fail "the dialog did not close after $1"
}
# answer_id <control id>: presses the dialog's button with that id (IDYES 6, IDNO 7) and
# waits until the dialog has gone. A message box names its buttons in the system's own
# language (はい(Y) on a Japanese system, Yes on a Western one).
answer_id() {
    local d=$DLG b
    b=$(dialog_child Button "$1")
    [ -n "$b" ] && probe post "$b" f5 0 0 || { fail "no button $1 in the dialog: $PROBE_LINES"; return 1; }
    probe gone 10000 "$d" || fail "the dialog did not close after button $1"
}

# combo_state: the combo box's count and selection in COMBO_HEAD, its texts in COMBO_ITEMS.
combo_state() {
    [ -n "${COMBO:-}" ] || COMBO=$(child COMBOBOX)
    probe_list combo "$COMBO" || return 1
    COMBO_HEAD=${PROBE_LINE#ok }
    COMBO_ITEMS=$PROBE_LINES
}

# key <xdotool keys...>: typed on the window that has the X input focus.
key() { xdotool key --delay 60 "$@"; sleep 0.4; }

# click_at <x> <y> [button]: a click at a point of the main window (outer coordinates).
click_at() {
    probe info "$MAIN"
    local r
    r=$(field rect "$PROBE_LINE")
    IFS=, read -r wx wy _ _ <<<"$r"
    xdotool mousemove $((wx + $1)) $((wy + $2)) click "${3:-1}"
    sleep 0.4
}
# click_control <handle>: a click in the middle of a window's control.
click_control() {
    probe info "$1"
    local x y w h
    IFS=, read -r x y w h <<<"$(field rect "$PROBE_LINE")"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
    sleep 0.4
}
# focus_main: a click on the main window, as a user brings it to the front: on its
# caption, or under a window manager on the panel beside the label (a click on the
# caption there starts the manager's own move of the window).
focus_main() { if [ -n "$KV_WM" ]; then click_at 6 40; else click_at 100 8; fi; }

# close_program <how>: keys, "box" (the caption's close box) or "menu" (終了 in the menu);
# waits for the program to end.
close_program() {
    case $1 in
    box) probe info "$MAIN"; local w; w=$(field rect "$PROBE_LINE" | cut -d, -f3); click_at $((w - 12)) 9 ;;
    menu) click_at 200 30 3; probe menu 5000 || fail "no menu"; key x ;;
    *) key "$1" ;;
    esac
    KV_CLOSED=1
    for _ in $(seq 100); do alive || break; sleep 0.1; done
    alive && { fail "the program did not end after $1"; return 1; }
    wait "$KV_PID"
    expect_eq "exit code" 0 $?
}

# expect_file <path> <expected bytes, printf format, in UTF-8 (stored as code page 932)>
expect_file() {
    local want got
    want=$(printf "$2" | iconv -f UTF-8 -t CP932 | od -An -tx1 | tr -s ' \n' ' ')
    got=$(od -An -tx1 "$1" 2>/dev/null | tr -s ' \n' ' ')
    [ -f "$1" ] || { fail "$1 does not exist"; return 1; }
    expect_eq "bytes of $(basename "$1")" "$want" "$got"
}
# write_file <path> <bytes, printf format, in UTF-8 (stored as code page 932)>
write_file() { printf "$2" | iconv -f UTF-8 -t CP932 >"$1"; }

# explorer_started <parameters>: waits until a new explorer has started with exactly
# this command line, as Windows handed it over (quotes and all).
EXPLORERS_SEEN=" "
explorer_started() {
    local want="\"C:\\windows\\EXPLORER.EXE\" $1" pid line
    for _ in $(seq 100); do
        probe_list commandlines EXPLORER.EXE
        while read -r pid line; do
            [[ $EXPLORERS_SEEN == *" $pid "* ]] && continue
            EXPLORERS_SEEN+="$pid "
            [ "$line" = "$want" ] && return 0
            fail "explorer started as [$line], expected [$want]"
            return 1
        done < <(grep -v ' /desktop$' <<<"$PROBE_LINES" | grep .)
        sleep 0.1
    done
    fail "no explorer started as [$want]; running: $(tr '\n' ';' <<<"$PROBE_LINES")"
}
# no_explorer: no explorer has been started in this case beyond those explorer_started saw.
no_explorer() {
    local pid line
    probe_list commandlines EXPLORER.EXE
    while read -r pid line; do
        [[ $EXPLORERS_SEEN == *" $pid "* ]] || { fail "an explorer was started: $line"; return 1; }
    done < <(grep -v ' /desktop$' <<<"$PROBE_LINES" | grep .)
}

# close_others: the user closes the windows other programs opened (an editor, say),
# once done with them.
close_others() {
    local h
    for _ in $(seq 50); do
        probe_list others && [ -n "$PROBE_LINES" ] && break
        sleep 0.1
    done
    for h in $(cut -d' ' -f1 <<<"$PROBE_LINES"); do probe post "$h" 10 0 0; done
    for h in $(cut -d' ' -f1 <<<"$PROBE_LINES"); do probe gone 5000 "$h"; done
}

# back_to_main: after another program opened a window (the explorer's), the user clicks
# the program's window to go on. Under a window manager the program stays above that
# window, as it does on Windows, and the click activates it; without one, Wine puts the
# new window on top, so the rest of the case needs the window manager: status 1.
# The other window is one that no earlier call saw: a window an earlier launch opened may
# still lie above the one this launch is about to map.
OTHERS_SEEN=" "
back_to_main() {
    [ -n "$KV_WM" ] || return 1
    local other= w main
    main=$(printf '0x%x' "$XWIN")
    for _ in $(seq 50); do
        for w in $(x_clients); do
            [ "$w" = "$main" ] || [[ $OTHERS_SEEN == *" $w "* ]] || other=$w
        done
        [ -n "$other" ] && break
        sleep 0.1
    done
    [ -n "$other" ] || { fail "the other program's window did not appear"; return 1; }
    OTHERS_SEEN+="$other "
    # The new window is active, and lies below the program.
    for _ in $(seq 50); do [ "$(x_active)" = "$other" ] && break; sleep 0.1; done
    expect_eq "active window after the other program's window appeared" "$other" "$(x_active)"
    expect_eq "the window on top" "$main" "$(x_clients | tail -1)"
    focus_main
    for _ in $(seq 30); do
        probe focus "$MAIN" && [ "$(field active "$PROBE_LINE")" = "$MAIN" ] && break
        sleep 0.1
    done
    expect_eq "active window after a click on the program" "$(printf '0x%x' "$XWIN") $MAIN" \
        "$(x_active) $(field active "$PROBE_LINE")"
}

# close_by_message: closes the program as the taskbar's "close window" does (its window
# sent WM_CLOSE), for a case whose window another program's window covers.
close_by_message() {
    probe post "$MAIN" 10 0 0
    KV_CLOSED=1
    for _ in $(seq 100); do alive || break; sleep 0.1; done
    alive && { fail "the program did not end after WM_CLOSE"; return 1; }
    wait "$KV_PID"
    expect_eq "exit code" 0 $?
}

# ---------------------------------------------------------------- the window manager

# KV_WM: the window manager of this pass, empty for none. Without one, Wine stacks and
# activates its windows itself; openbox, a standard EWMH window manager, stacks,
# activates and lists windows on the taskbar as Windows does.
KV_WM=
# x_clients: the windows the window manager manages, bottom to top, one hex id a line.
x_clients() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g' | grep '^0x'; }
x_active() { xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //'; }
# x_state <X window>: the window's _NET_WM_STATE atoms, space-separated.
x_state() { xprop -id "$1" _NET_WM_STATE | sed 's/^[^=]*= *//; s/,//g'; }

# wine_managed Y|N: whether Wine hands its windows to a window manager (the prefix keeps
# N, for runs without one, where Wine would otherwise wait for one at every hide).
wine_managed() {
    wineserver -k >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1
    wineserver -w
}
start_window_manager() {
    command -v openbox >/dev/null || { echo "e2e: openbox is not installed (scripts/setup installs it)" >&2; return 1; }
    wine_managed Y
    mkdir -p "$E2E_ROOT"
    # Not a child of this shell, so that the cases' waits for their own processes pass it by.
    WM_PID=$(sh -c 'openbox --sm-disable >"$1" 2>&1 & echo $!' _ "$E2E_ROOT/openbox.log")
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && { KV_WM=openbox; return 0; }
        sleep 0.1
    done
    echo "e2e: openbox did not start: $(cat "$E2E_ROOT/openbox.log")" >&2
    stop_window_manager
    return 1
}
stop_window_manager() {
    if [ -n "${WM_PID:-}" ]; then
        kill "$WM_PID" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$WM_PID" 2>/dev/null || break; sleep 0.1; done
    fi
    WM_PID= KV_WM=
    wine_managed N
}

end_case() {
    if alive; then
        kill "$KV_PID" 2>/dev/null
        wait "$KV_PID" 2>/dev/null
    fi
    echo quit >&"${PROBE[1]}" 2>/dev/null
    wineserver -k >/dev/null 2>&1
    wait 2>/dev/null
    # A case that set a work area of its own, failed or not: the next one has the screen.
    [ -n "${KV_WORK_AREA_SET:-}" ] && xprop -root -remove _NET_WORKAREA
    KV_WORK_AREA_SET=
}
