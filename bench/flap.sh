#!/usr/bin/env bash
# The automatic connection and the notices while the link comes and goes, on the real program with
# the simulated adapter in a fresh prefix. Two profiles connect automatically: Home (priority 1,
# its network in range, current) and Office (in range too). nvksim switches the link to Home off
# and on (link 3, wait DOWN s, link 1, wait UP s) for SECONDS. Then it counts, from the adapter's
# log, the surveys and the full applies of Home (NV_SetSSID(Home)); from nvkctl watch --json, the
# lost, connected and unstable events; and, with bench_balloons.exe, the balloons shown.
#
# usage: bench/flap.sh DOWN UP SECONDS [bin-folder]   e.g. bench/flap.sh 6 2 120
#        bench/flap.sh while-down [bin-folder]         with the link gone and no profile connecting
#            automatically, nvkctl sets Home and Office to, then Office comes into range: prints the
#            link and the current profile 20 s later.
# Uses $DISPLAY when set; always a fresh prefix.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
mode=$1
if [ "$mode" = while-down ]; then bin=${2:-$top/build/i686/bin}; else bin=${4:-$top/build/i686/bin}; fi
. "$top/scripts/wine-env"
unset WINEPREFIX
wine_env_use_or_setup || exit 1
work=$(mktemp -d /tmp/tarnel-flap.XXXXXX)
cd "$bin" || exit 1

sim() { wine nvksim.exe "$@" >/dev/null 2>&1; }
ctl() { wine nvkctl.exe "$@" >/dev/null 2>&1; }
now() { date +%s.%N; }
# Sleeps until $1 seconds after $2 (both from now()), whatever the commands between took.
sleep_until() { local left; left=$(awk -v a="$2" -v d="$1" -v n="$(now)" 'BEGIN { l = a + d - n; print (l > 0 ? l : 0) }'); sleep "$left"; }

# The simulated adapter's state lives while a process holds it.
wine nvksim.exe hold >/dev/null 2>&1 &
hold=$!
sleep 2
sim adapter add
sim delay assoc 1000
sim net clear + net add Home ch=6 signal=70
ctl profile set Home --ssid Home --priority 1 --auto on
ctl profile set Office --ssid Office --auto on
ctl profile use Home

wine Tarnel_UI.exe >/dev/null 2>&1 &
app=$!
sleep 8

if [ "$mode" = while-down ]; then
  ctl profile set Home --auto off
  ctl profile set Office --auto off
  sim net remove Home
  sleep 8
  sim log clear
  ctl profile set Home --auto on
  ctl profile set Office --auto on
  sleep 3
  sim net add Office ch=11 signal=60
  sleep 20
  echo "while down: $(wine nvkctl.exe status 2>/dev/null | tr -d '\r' | grep -iE '^(link|ssid|profile)' | tr '\n' ';')"
  echo "log: $(wine nvksim.exe log 2>/dev/null | tr -d '\r' | grep -cE 'NV_SiteSurvey') surveys," \
       "$(wine nvksim.exe log 2>/dev/null | tr -d '\r' | grep -c 'NV_SetSSID(Office)') applies of Office"
else
  down=$1 up=$2 seconds=$3
  sim net add Office ch=11 signal=60
  sleep 2
  wine nvkctl.exe watch --json >"$work/watch" 2>/dev/null &
  watch=$!
  sleep 2
  sim log clear
  wine bench_balloons.exe $((${seconds%.*} + 6)) >"$work/balloons" 2>/dev/null &
  balloons=$!
  start=$(now) t=0
  while awk -v t="$t" -v s="$seconds" 'BEGIN { exit !(t < s) }'; do
    sim link 3
    t=$(awk -v t="$t" -v d="$down" 'BEGIN { print t + d }'); sleep_until "$t" "$start"
    sim link 1
    t=$(awk -v t="$t" -v u="$up" 'BEGIN { print t + u }'); sleep_until "$t" "$start"
  done
  wait "$balloons"  # the last notice's turn too
  log=$(wine nvksim.exe log 2>/dev/null | tr -d '\r')
  kill "$watch" 2>/dev/null
  count() { grep -c "\"event\":\"$1\"" "$work/watch"; }
  printf 'link %s s down / %s s up for %s s: surveys %d, applies of Home %d, watch lost %d connected %d unstable %d, %s\n' \
    "$down" "$up" "$seconds" "$(grep -c 'NV_SiteSurvey()' <<<"$log")" "$(grep -c 'NV_SetSSID(Home)' <<<"$log")" \
    "$(count lost)" "$(count connected)" "$(count unstable)" "$(head -n 1 "$work/balloons" | tr -d '\r')"
  tail -n +2 "$work/balloons" | tr -d '\r' | sed 's/[0-9]\+%/S%/' | sort | uniq -c
fi
kill "$app" "$hold" 2>/dev/null
wait "$app" "$hold" 2>/dev/null
rm -rf "$work"
