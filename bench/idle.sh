#!/usr/bin/env bash
# Idle cost of the utility against Wine's own floor, side by side in one run: for each target,
# an empty dialog with one 300 ms timer (bench_idle_baseline.exe), then the real utility on its
# link page with the simulated adapter (associated, figures frozen), then the utility again with
# its link monitor open in front (bench_open_monitor.exe opens it as the icon's menu does). After a warm-up, each runs
# for the same span; the process's CPU time (utime + stime from /proc/<pid>/stat) and resident
# memory (VmRSS, VmHWM) are read from the Linux side, and so is the CPU time of Wine's helper
# processes of the prefix (wineserver, explorer with the notification area, winedevice).
#
# Then the same utility with two profiles set to connect automatically: once linked (what it costs
# to watch the link), once with no network in range (the surveys, 5 s after the loss, then 10 s
# and 20 s apart within the span).
#
# usage: bench/idle.sh [bin-folder ...]   (default: build/i686/bin build/x86_64/bin)
# Uses $WINEPREFIX and $DISPLAY when set; otherwise a fresh prefix and a virtual display.
# TARNEL_IDLE_SECONDS (60) and TARNEL_IDLE_WARMUP (5) change the spans.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${TARNEL_IDLE_SECONDS:-60}
warmup=${TARNEL_IDLE_WARMUP:-5}
bins=("$@")
[ ${#bins[@]} -gt 0 ] || bins=("$top/build/i686/bin" "$top/build/x86_64/bin")
hz=$(getconf CLK_TCK)

. "$top/scripts/wine-env"
wine_env_use_or_setup || exit 1

# Processes of this prefix whose command name is $1 (cut to 15 characters, as the kernel keeps it).
prefix_pids() {
  local p
  for p in $(pgrep -x "${1:0:15}"); do
    { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done
}

cpu_ticks() {  # pids... -> utime + stime summed
  local total=0 p f
  for p in "$@"; do
    [ -r "/proc/$p/stat" ] || continue
    read -r -a f < <(sed 's/^.*) //' "/proc/$p/stat")
    total=$((total + f[11] + f[12]))
  done
  echo "$total"
}

helper_pids() { prefix_pids wineserver; prefix_pids wineserver64; prefix_pids explorer.exe; prefix_pids winedevice.exe; }

percent() { awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.3f", 100 * t / hz / s }'; }

# measure <label> <folder> <exe> [setup command after start]: prints one line of figures.
measure() {
  local label=$1 dir=$2 exe=$3 setup=${4:-} pid="" i job
  (cd "$dir" && exec wine "$exe" >/dev/null 2>&1) &
  job=$!
  for i in $(seq 1 100); do
    pid=$(prefix_pids "$exe" | head -n 1)
    [ -n "$pid" ] && break
    sleep 0.1
  done
  if [ -z "$pid" ]; then echo "$label: $exe did not start"; return 1; fi
  if [ -n "$setup" ] && ! (cd "$dir" && eval "$setup") >/dev/null 2>&1; then echo "  $label: its setup failed"; fi
  sleep "$warmup"
  local helpers; helpers=$(helper_pids)
  local own0 help0 own1 help1
  own0=$(cpu_ticks "$pid"); help0=$(cpu_ticks $helpers)
  sleep "$seconds"
  own1=$(cpu_ticks "$pid"); help1=$(cpu_ticks $helpers)
  local rss hwm
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  # Only this program: a plain wait would also wait for the virtual display started above.
  wait "$job" 2>/dev/null
  LAST_OWN=$((own1 - own0))
  printf '  %-22s process %7s%% (%4d ticks)   helpers %7s%% (%4d ticks)   VmRSS %6d KiB   VmHWM %6d KiB\n' \
    "$label" "$(percent "$LAST_OWN")" "$LAST_OWN" "$(percent $((help1 - help0)))" $((help1 - help0)) "$rss" "$hwm"
}

# The adapter's driver key as "nvksim adapter add" registers it.
driver_key='HKLM\SYSTEM\CurrentControlSet\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0001'

# auto_profiles add|remove <bin>: "Lab" (the simulated adapter's own network) and "Office", both
# connecting automatically, written as a person with a registry editor would.
auto_profiles() {
  local bin=$1 name ssid
  if [ "$2" = remove ]; then
    for name in Lab Office ProfileList; do (cd "$bin" && wine reg delete "$driver_key\\$name" /f) >/dev/null 2>&1; done
    return
  fi
  for name in Lab:tarnel-lab Office:Harbour-Office; do
    ssid=${name#*:} name=${name%%:*}
    (cd "$bin" && wine reg add "$driver_key\\ProfileList" /v "$name" /t REG_SZ /d "" /f &&
      wine reg add "$driver_key\\$name" /v SSID /t REG_SZ /d "$ssid" /f &&
      wine reg add "$driver_key\\$name" /v AUTOCONNECT /t REG_DWORD /d 1 /f) >/dev/null 2>&1
  done
}

echo "idle for ${seconds} s after ${warmup} s of warm-up; CPU in percent of one core; clock ${hz} ticks/s"
for bin in "${bins[@]}"; do
  echo "$bin"
  (cd "$bin" && wine nvksim.exe adapter add) >/dev/null 2>&1
  measure "baseline (empty dialog)" "$bin" bench_idle_baseline.exe || continue
  base=$LAST_OWN
  # The utility holds the simulated adapter's state while it runs: set the link once it is up.
  measure "utility, link page" "$bin" Tarnel_UI.exe \
    "sleep 2; wine nvksim.exe link 1 + signal 72 64" || continue
  page=$LAST_OWN
  awk -v u="$LAST_OWN" -v b="$base" 'BEGIN { if (b > 0) printf "  utility / baseline     %.2f (target at most 1.2)\n", u / b;
                                              else print "  utility / baseline     baseline used no measurable CPU" }'
  # The same again with the link monitor open in front (its first opening surveys, before the warm-up ends).
  measure "utility, link monitor" "$bin" Tarnel_UI.exe \
    "sleep 2; wine nvksim.exe link 1 + signal 72 64; wine bench_open_monitor.exe" || continue
  awk -v m="$LAST_OWN" -v p="$page" 'BEGIN { if (p > 0) printf "  monitor / link page    %.2f (target at most 1.3)\n", m / p }'
  auto_profiles "$bin" add
  measure "auto profiles, linked" "$bin" Tarnel_UI.exe "sleep 2; wine nvksim.exe link 1 + signal 72 64" &&
    awk -v u="$LAST_OWN" -v b="$base" 'BEGIN { if (b > 0) printf "  auto linked / baseline %.2f\n", u / b }'
  measure "auto profiles, no net" "$bin" Tarnel_UI.exe "sleep 2; wine nvksim.exe net clear + link 0" &&
    awk -v u="$LAST_OWN" -v b="$base" 'BEGIN { if (b > 0) printf "  auto no net / baseline %.2f\n", u / b }'
  auto_profiles "$bin" remove
  (cd "$bin" && wine nvksim.exe adapter remove) >/dev/null 2>&1
done
