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
    rm -rf "$CASE_DIR"
    mkdir -p "$CASE_DIR"
    KV_NAME=Kestrovane1.exe
    KV_CLOSED=
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

alive() { kill -0 "$KV_PID" 2>/dev/null; }
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

# wait_slid_in: waits until the slide-in has ended (the window at its final bounds).
wait_slid_in() {
    for _ in $(seq 100); do
        probe info "$MAIN" && [ "$(field rect "$PROBE_LINE")" = "20,20,498,61" ] && return 0
        sleep 0.1
    done
    fail "the window did not reach 20,20 498x61: $PROBE_LINE"
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
# focus_main: a click on the main window's caption, as a user brings it to the front.
focus_main() { click_at 100 8; }

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

# ours <pid>: the process runs in this project's Wine prefix. Other copies of the project
# may run their own tests on the same machine at the same time, and ps shows theirs too.
ours() { { tr '\0' '\n' <"/proc/$1/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; }
# running <regex>: whether a process of ours whose command line matches is running.
running() {
    local pid args
    while read -r pid args; do
        [[ $args =~ $1 ]] && ours "$pid" && return 0
    done < <(ps -eo pid=,args=)
    return 1
}

# launched <regex>: waits until a new process of ours whose command line matches has started.
LAUNCHED_SEEN=" "
launched() {
    local pid args
    for _ in $(seq 100); do
        while read -r pid args; do
            [[ $args =~ $1 ]] && ours "$pid" || continue
            [[ $LAUNCHED_SEEN == *" $pid "* ]] && continue
            LAUNCHED_SEEN+="$pid "
            return 0
        done < <(ps -eo pid=,args=)
        sleep 0.1
    done
    fail "no process started matching [$1]; seen: $(ps -eo args | grep -i -E 'explorer|browser' | grep -v grep | tr '\n' ';')"
}

# not_launched <regex>: no new process of ours whose command line matches starts within
# two seconds.
not_launched() {
    local pid args
    sleep 2
    while read -r pid args; do
        [[ $args =~ $1 ]] && ours "$pid" || continue
        [[ $LAUNCHED_SEEN == *" $pid "* ]] && continue
        fail "a process started: $args"
        return 1
    done < <(ps -eo pid=,args=)
}

# close_others: waits for the window that another program opened (the explorer's, say)
# and closes it, as the user would before going on: without a window manager it may
# cover the program.
close_others() {
    local h
    for _ in $(seq 50); do
        probe_list others && [ -n "$PROBE_LINES" ] && break
        sleep 0.1
    done
    for h in $(cut -d' ' -f1 <<<"$PROBE_LINES"); do probe post "$h" 10 0 0; done
    for h in $(cut -d' ' -f1 <<<"$PROBE_LINES"); do probe gone 5000 "$h"; done
    # Wine restarts its desktop process as the explorer goes; let that settle.
    sleep 1
}

end_case() {
    if alive; then
        kill "$KV_PID" 2>/dev/null
        wait "$KV_PID" 2>/dev/null
    fi
    echo quit >&"${PROBE[1]}" 2>/dev/null
    wineserver -k >/dev/null 2>&1
    wait 2>/dev/null
}
