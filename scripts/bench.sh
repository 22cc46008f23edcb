#!/usr/bin/env bash
# Builds vornel.exe and the Windows-side benchmarks and prints the figures we
# watch: the size of the exe and what it imports; start-up time and peak
# working set against a bare Win32 program; CPU time and wake-ups while
# idle; the cost of painting the button face; and how fast the popup menu
# and its live submenus appear; and the Spy window's CPU. The Goals section
# at the end judges each figure we aim for. It measures the 32-bit build where this
# machine runs 32-bit Wine, else the 64-bit one (VORNEL_ARCHS=x64 chooses
# the 64-bit one anywhere), and names it. Everything runs under Wine in a
# prefix of its own (build/wine/bench-<arch>) on a private X server. Not part of the tests:
# it prints figures and judges them against the goals, it does not fail on
# them.
#
# Knobs (environment): VORNEL_BENCH_RUNS (start-ups per program and series,
# default 15), VORNEL_BENCH_IDLE_SECONDS (default 30), VORNEL_BENCH_OPENINGS
# (menu openings, default 10).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

RUNS=${VORNEL_BENCH_RUNS:-15}
IDLE_SECONDS=${VORNEL_BENCH_IDLE_SECONDS:-30}
OPENINGS=${VORNEL_BENCH_OPENINGS:-10}
SIZE_GOAL_KB=128
RATIO_GOAL=1.3               # peak working set against the bare program
START_RATIO_GOAL_FRESH=1.10  # start-up against the bare program, first start
START_RATIO_GOAL_KEPT=1.05   # start-up against the bare program, settings kept
# Highlight of a submenu's title until its last item is painted, ms.
SCREEN_SAVER_GOAL_MS=15
DESKTOP_GOAL_MS=30
TASK_MANAGER_GOAL_MS=20
# The Control Panel submenu loads every applet at each opening, as applets
# expect; it may be no slower than it was before its icons were kept.
CONTROL_PANEL_GOAL_MS=62
STEP_GOAL_MS=2               # one step of the highlight inside a submenu
SPY_GOAL_MS_PER_S=10         # CPU of the spy's thread while the mouse moves

BENCH_TARGETS=(minimal_window startup_probe paint_bench menu_bench spy_bench)

"$VORNEL_ROOT/scripts/install-deps.sh" || exit 1
choose_program_arch
WIN32=$(arch_build_dir "$VORNEL_ARCH")
TRIPLET=$(arch_triplet "$VORNEL_ARCH")
say "Building vornel.exe and the benchmarks ..."
build_windows "$VORNEL_ARCH" || exit 1
cmake --build "$WIN32" --parallel "$(nproc)" --target "${BENCH_TARGETS[@]}" -- --no-print-directory >/dev/null || {
    cmake --build "$WIN32" --target "${BENCH_TARGETS[@]}" -- --no-print-directory
    exit 1
}

SCRATCH=$(mktemp -d "$VORNEL_BUILD/bench.XXXXXX")
cleanup() {
    stop_desktop_keepers
    stop_wineserver
    stop_private_display
    rm -rf "$SCRATCH"
}
use_wine_prefix "$VORNEL_ARCH" "$VORNEL_BUILD/wine/bench-$VORNEL_ARCH"
start_private_display || exit 1
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
# As in the test run: one server, and a desktop alive between the measured programs.
start_wine_session "$VORNEL_ARCH" || { say "Wine could not create the prefix $WINEPREFIX."; exit 1; }

# Runs a Windows console program; its output without the carriage returns
# of the C runtime's text mode. Wine's own chatter goes to a log, shown only
# when the program fails.
run_windows() {
    local log="$SCRATCH/stderr.log" status
    vwine "$@" 2>"$log" | tr -d '\r'
    status=${PIPESTATUS[0]}
    if [ "$status" -ne 0 ]; then
        echo "  ($(basename "$1") exited with $status)"
        sed 's/^/  | /' "$log" | tail -n 20
    fi
    return "$status"
}

windows_path() { vwine winepath -w "$1" 2>/dev/null | tr -d '\r'; }

section() { printf '\n== %s\n' "$*"; }

# Floating-point comparison a <= b, for the goals.
at_most() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a != "" && a <= b) }'; }
verdict() { if at_most "$1" "$2"; then echo "met"; else echo "NOT met"; fi; }

echo "Vornel benchmarks of the $VORNEL_ARCH build ($WIN32), $(date -u '+%Y-%m-%d %H:%M UTC'), $(vwine --version), $(nproc) CPUs, display $DISPLAY"
echo "Prefix $WINEPREFIX"

# ---------------------------------------------------------------- size
section "Size and imports of vornel.exe"
exe="$WIN32/vornel.exe"
size=$(stat -c %s "$exe")
cp "$exe" "$SCRATCH/vornel-stripped.exe"
"$TRIPLET-strip" "$SCRATCH/vornel-stripped.exe"
stripped=$(stat -c %s "$SCRATCH/vornel-stripped.exe")
size_kb=$(awk -v b="$stripped" 'BEGIN { printf "%.1f", b / 1024 }')
printf '  as built:            %8d bytes (%.1f KB)\n' "$size" "$(awk -v b="$size" 'BEGIN { print b / 1024 }')"
printf '  stripped again:      %8d bytes (%s KB)\n' "$stripped" "$size_kb"
echo "  imported DLLs:"
"$TRIPLET-objdump" -p "$exe" | grep 'DLL Name' | sed 's/^[[:space:]]*/    /'
sections=
while read -r _ name hex _; do
    sections+="$name $((16#$hex))  "
done < <("$TRIPLET-objdump" -h "$exe" | awk '$2 ~ /^\./')
printf '  %-20s %s\n' "section sizes:" "$sections"
minimal_size=$(stat -c %s "$WIN32/minimal_window.exe")
printf '  minimal_window.exe:  %8d bytes (the same static C++ runtime, for comparison)\n' "$minimal_size"

# ---------------------------------------------------------------- start-up
vornel_win=$(windows_path "$WIN32/vornel.exe")
minimal_win=$(windows_path "$WIN32/minimal_window.exe")
section "Start-up under Wine: process creation until the window is visible; peak working set"
echo "  (polled every millisecond with FindWindowA and IsWindowVisible; working set from GetProcessMemoryInfo;"
echo "   CPU time from GetProcessTimes, which Wine reads from Linux in 10 ms ticks)"
startup_fresh=$(run_windows "$WIN32/startup_probe.exe" startup "$RUNS" fresh \
                "$minimal_win" VornelMinimalWindow "$vornel_win" SimpleClass)
echo "$startup_fresh"
echo
startup_kept=$(run_windows "$WIN32/startup_probe.exe" startup "$RUNS" kept \
               "$minimal_win" VornelMinimalWindow "$vornel_win" SimpleClass)
echo "$startup_kept"

ratios() { sed -n 's|.*vornel.exe / minimal_window.exe: start-up \([0-9.]*\), peak working set \([0-9.]*\).*|\1 \2|p'; }
read -r start_ratio_fresh ws_ratio_fresh <<<"$(ratios <<<"$startup_fresh")"
read -r start_ratio_kept ws_ratio_kept <<<"$(ratios <<<"$startup_kept")"

# ---------------------------------------------------------------- idle
# The Linux process of a program started in this prefix: the one whose
# first argument names the exe and whose environment names this prefix.
linux_pid_of() {
    local name="$1" pid first
    for pid in $(pgrep -f -- "$name"); do
        first=$(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -n 1)
        case "${first,,}" in *"${name,,}") ;; *) continue ;; esac
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        echo "$pid"
        return 0
    done
    return 1
}

# Voluntary plus involuntary context switches of every thread of a process.
context_switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '$1 == "voluntary_ctxt_switches:" || $1 == "nonvoluntary_ctxt_switches:" { n += $2 } END { print n + 0 }'
}

# User plus system time of the whole process in clock ticks.
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk '{ print $12 + $13 }'; }

status_field() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status" 2>/dev/null; }

wait_for_line() {
    local file="$1" text="$2" deadline=$((SECONDS + $3))
    until grep -q "^$text" "$file" 2>/dev/null; do
        [ $SECONDS -ge "$deadline" ] && return 1
        sleep 0.05
    done
}

declare -A IDLE_WAKEUPS IDLE_CPU_MS IDLE_HWM
measure_idle() {
    local unix_exe="$1" class="$2" name out release probe pid sw0 sw1 t0 t1 tk0 tk1 threads hwm rss
    name=$(basename "$unix_exe")
    out="$SCRATCH/idle-$name.out"
    release="$SCRATCH/release-$name"
    # The probe keeps the program running after IDLE-END until the release
    # file exists, so the last sample below does not see its exit.
    vwine "$WIN32/startup_probe.exe" idle "$IDLE_SECONDS" "$(windows_path "$unix_exe")" "$class" \
        "$(windows_path "$release")" >"$out" 2>"$SCRATCH/idle-$name.err" </dev/null &
    probe=$!
    if ! wait_for_line "$out" IDLE-BEGIN 60; then
        echo "  $name: the probe never reached the idle span"
        tr -d '\r' <"$out"
        touch "$release"
        wait "$probe"
        return
    fi
    pid=$(linux_pid_of "$name") || pid=
    if [ -n "$pid" ]; then
        sw0=$(context_switches "$pid"); tk0=$(cpu_ticks "$pid"); t0=$(date +%s.%N)
    fi
    wait_for_line "$out" IDLE-END $((IDLE_SECONDS + 60))
    if [ -n "$pid" ]; then
        sw1=$(context_switches "$pid"); tk1=$(cpu_ticks "$pid"); t1=$(date +%s.%N)
        threads=$(ls "/proc/$pid/task" 2>/dev/null | wc -l)
        hwm=$(status_field "$pid" VmHWM); rss=$(status_field "$pid" VmRSS)
    fi
    touch "$release"
    wait "$probe"
    tr -d '\r' <"$out" | grep -v '^IDLE-' | sed 's/^/  /'
    if [ -n "$pid" ]; then
        local span ticks_per_s wakeups cpu_ms
        span=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", b - a }')
        ticks_per_s=$(getconf CLK_TCK)
        wakeups=$(awk -v n=$((sw1 - sw0)) -v s="$span" 'BEGIN { printf "%.2f", n / s }')
        cpu_ms=$(awk -v t=$((tk1 - tk0)) -v h="$ticks_per_s" 'BEGIN { printf "%.0f", t * 1000 / h }')
        printf '  %s seen from Linux (pid %s, %s threads) over %s s: %d context switches (%s per second), CPU %s ms; VmHWM %s KB, VmRSS %s KB\n' \
            "$name" "$pid" "$threads" "$span" $((sw1 - sw0)) "$wakeups" "$cpu_ms" "$hwm" "$rss"
        IDLE_WAKEUPS[$name]=$wakeups
        IDLE_CPU_MS[$name]=$cpu_ms
        IDLE_HWM[$name]=$hwm
    else
        echo "  $name: its Linux process was not found; no context switch counts"
    fi
}

section "Idle: ${IDLE_SECONDS} s after the window showed and 2 s of settling"
echo "  (CPU time from GetProcessTimes in the probe; context switches of all threads from /proc/<pid>/task/*/status)"
measure_idle "$WIN32/minimal_window.exe" VornelMinimalWindow
measure_idle "$WIN32/vornel.exe" SimpleClass
hwm_ratio=
if [ -n "${IDLE_HWM[vornel.exe]:-}" ] && [ -n "${IDLE_HWM[minimal_window.exe]:-}" ]; then
    hwm_ratio=$(awk -v a="${IDLE_HWM[vornel.exe]}" -v b="${IDLE_HWM[minimal_window.exe]}" 'BEGIN { printf "%.2f", a / b }')
    echo "  VmHWM vornel.exe / minimal_window.exe (Linux): $hwm_ratio"
fi

# ---------------------------------------------------------------- painting
section "Painting the button face (in-process, the program's own start-up)"
run_windows "$WIN32/paint_bench.exe"
paint_status=$?

# ---------------------------------------------------------------- menu
section "Popup menu and its live submenus (in-process, driven by keys from WM_ENTERIDLE)"
menu_out=$(run_windows "$WIN32/menu_bench.exe" "$OPENINGS")
menu_status=$?
echo "$menu_out"

# ---------------------------------------------------------------- spy window
section "Spy window: CPU of its thread while the mouse moves and while it rests (in-process)"
spy_out=$(run_windows "$WIN32/spy_bench.exe")
echo "$spy_out"

# The median column of a row of the menu benchmark, found by its label.
menu_median() { awk -v label="$1" 'index($0, label) { print $(NF - 3); exit }' <<<"$menu_out"; }
# The spy's own column of a phase of the spy benchmark.
spy_cpu() { awk -v label="$1" 'index($0, label) { print $(NF - 2); exit }' <<<"$spy_out"; }

# ---------------------------------------------------------------- goals
section "Goals"
goal() { printf '  %-58s %-12s %s\n' "$1" "${2:-?}" "$(verdict "${2:-}" "$3")"; }
goal "Desktop submenu, highlight -> painted <= $DESKTOP_GOAL_MS ms" "$(menu_median "Desktop: highlight -> painted")" "$DESKTOP_GOAL_MS"
goal "Screen Saver submenu, highlight -> painted <= $SCREEN_SAVER_GOAL_MS ms" "$(menu_median "Screen Saver: highlight -> painted")" "$SCREEN_SAVER_GOAL_MS"
goal "Task Manager submenu, highlight -> painted <= $TASK_MANAGER_GOAL_MS ms" "$(menu_median "Task Manager: highlight -> painted")" "$TASK_MANAGER_GOAL_MS"
for name in "Screen Saver" Desktop "Task Manager" "Control Panel"; do
    goal "one highlight step inside $name <= $STEP_GOAL_MS ms" "$(menu_median "$name: one step down")" "$STEP_GOAL_MS"
done
goal "Control Panel submenu, highlight -> painted <= $CONTROL_PANEL_GOAL_MS ms" "$(menu_median "Control Panel: highlight -> painted")" "$CONTROL_PANEL_GOAL_MS"
goal "Spy: CPU ms/s, mouse moving over the desktop <= $SPY_GOAL_MS_PER_S" "$(spy_cpu "over the desktop alone")" "$SPY_GOAL_MS_PER_S"
goal "Spy: CPU ms/s, mouse moving across the spy <= $SPY_GOAL_MS_PER_S" "$(spy_cpu "across desktop and spy")" "$SPY_GOAL_MS_PER_S"
goal "start-up / minimal <= $START_RATIO_GOAL_FRESH, first start" "${start_ratio_fresh:-}" "$START_RATIO_GOAL_FRESH"
goal "start-up / minimal <= $START_RATIO_GOAL_KEPT, settings kept" "${start_ratio_kept:-}" "$START_RATIO_GOAL_KEPT"
goal "stripped vornel.exe <= ${SIZE_GOAL_KB} KB" "$size_kb" "$SIZE_GOAL_KB"
printf '  %-58s %s\n' "no handle growth over 500 openings" "$(grep -q 'handle growth over [0-9]* openings: none' <<<"$menu_out" && echo yes || echo NO)"
printf '  %-58s %-12s %s\n' "peak working set / minimal <= $RATIO_GOAL, first start" "${ws_ratio_fresh:-?}" "$(verdict "${ws_ratio_fresh:-}" "$RATIO_GOAL")"
printf '  %-58s %-12s %s\n' "peak working set / minimal <= $RATIO_GOAL, settings kept" "${ws_ratio_kept:-?}" "$(verdict "${ws_ratio_kept:-}" "$RATIO_GOAL")"
if [ -n "$hwm_ratio" ]; then
    printf '  %-58s %-12s %s\n' "VmHWM / minimal <= $RATIO_GOAL (Linux, after idling)" "$hwm_ratio" "$(verdict "$hwm_ratio" "$RATIO_GOAL")"
fi
if [ -n "${IDLE_WAKEUPS[vornel.exe]:-}" ]; then
    printf '  %-58s %-12s %s\n' "idle wake-ups of vornel.exe per second (expect about 0)" "${IDLE_WAKEUPS[vornel.exe]}" \
        "(minimal_window.exe: ${IDLE_WAKEUPS[minimal_window.exe]:-?})"
    printf '  %-58s %-12s %s\n' "idle CPU of vornel.exe over ${IDLE_SECONDS} s, ms (Linux)" "${IDLE_CPU_MS[vornel.exe]}" \
        "(minimal_window.exe: ${IDLE_CPU_MS[minimal_window.exe]:-?})"
fi
printf '  %-58s %s\n' "button face: same pixels as the per-pixel reference" "$([ "$paint_status" -eq 0 ] && echo yes || echo NO)"
printf '  %-58s %s\n' "menu walk finished in every opening" "$([ "$menu_status" -eq 0 ] || ! grep -q 'did not finish' <<<"$menu_out" && echo yes || echo NO)"
exit 0
