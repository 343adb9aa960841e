#!/usr/bin/env bash
# What a one-shot command costs beyond its platform work: "nvkctl status" against the floor
# (bench_floor.exe: load NvkLib.dll, walk the network devices with SetupDi, read the adapter list,
# open the driver key, initialise and stop the library, nothing else), in the same run under the
# same prefix with the simulated adapter. The two run in turn, pair by pair, after a warm-up;
# each run is one whole process timed from its start to its exit, its peak memory (maximum
# resident set) as the kernel accounts the finished process (GNU time). Prints medians, the median of the
# pairwise wall-time ratios, and each program's peak memory. Both programs run stripped, as
# nvkctl ships (the platform reads a program's debug sections in with it), from a folder of
# their own beside the simulated adapter's files.
#
# usage: bench/oneshot.sh [bin-folder ...]   (default: build/i686/bin build/x86_64/bin)
# Uses $WINEPREFIX and $DISPLAY when set; otherwise a fresh prefix and a virtual display.
# TARNEL_ONESHOT_RUNS (20) and TARNEL_ONESHOT_WARMUP (3) change the counts;
# TARNEL_ONESHOT_COMMAND ("nvkctl.exe status") measures another command against the floor.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${TARNEL_ONESHOT_RUNS:-20}
warmup=${TARNEL_ONESHOT_WARMUP:-3}
command=${TARNEL_ONESHOT_COMMAND:-nvkctl.exe status}
bins=("$@")
[ ${#bins[@]} -gt 0 ] || bins=("$top/build/i686/bin" "$top/build/x86_64/bin")
description=$(sed -n 's/^ *IDS_ADAPTER_DESCRIPTION *"\(.*\)"/\1/p' "$top/src/res/Adapter.rc")

. "$top/scripts/wine-env"
wine_env_use_or_setup || exit 1

# stripped <bin-folder>: a folder with the programs stripped and the simulated adapter's files.
stripped() {
  local from=$1 to strip f
  to=$(mktemp -d /tmp/tarnel-oneshot.XXXXXX)
  strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$from/../CMakeCache.txt")
  cp "$from"/NvkLib.dll "$from"/CMSetup.dll "$from"/nvksim.exe "$to/"
  for f in bench_floor.exe "${command%% *}"; do "$strip" --strip-all -o "$to/$f" "$from/$f" || return 1; done
  echo "$to"
}

echo "one-shot command against its floor: $runs runs each, in turn, after $warmup warm-up pairs"
for bin in "${bins[@]}"; do
  echo "$bin"
  run_in=$(stripped "$bin") || { echo "  $bin: the programs could not be stripped"; continue; }
  (cd "$run_in" && wine nvksim.exe adapter add) >/dev/null 2>&1
  python3 - "$run_in" "$runs" "$warmup" "$description" $command <<'PY'
import os, statistics, subprocess, sys, time
bin_dir, runs, warmup, description, *command = sys.argv[1:]
runs, warmup = int(runs), int(warmup)
programs = [("floor", ["wine", "bench_floor.exe", description]), (" ".join(command), ["wine", *command])]

peak_file = os.path.join(bin_dir, "peak.txt")

def once(args):
    """wall seconds, peak KiB and exit status of one whole run. GNU time starts it: a process
    forked from this one would count this one's memory as its own until it starts the program."""
    start = time.perf_counter()
    status = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peak_file, *args], cwd=bin_dir,
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
    wall = time.perf_counter() - start
    return wall, int(open(peak_file).read().split()[-1]), status

figures = {name: [] for name, _ in programs}
for i in range(warmup + runs):
    for name, args in programs:
        run = once(args)
        if run[2] != 0:
            sys.exit(f"  {name}: exit status {run[2]}; nothing measured")
        if i >= warmup:
            figures[name].append(run)
for name, _ in programs:
    walls = [w for w, _, _ in figures[name]]
    peaks = [p / 1024 for _, p, _ in figures[name]]
    print(f"  {name:24s} wall median {statistics.median(walls):.3f} s (min {min(walls):.3f}, max {max(walls):.3f})"
          f"   peak memory median {statistics.median(peaks):.1f} MiB (max {max(peaks):.1f})")
(floor, _), (cmd, _) = programs
ratios = [c[0] / f[0] for f, c in zip(figures[floor], figures[cmd])]
peak = statistics.median(p for _, p, _ in figures[cmd]) / statistics.median(p for _, p, _ in figures[floor])
print(f"  {cmd} / floor: wall ratio median {statistics.median(ratios):.2f} (min {min(ratios):.2f}, "
      f"max {max(ratios):.2f}; target at most 1.2), peak memory ratio {peak:.2f}")
PY
  (cd "$run_in" && wine nvksim.exe adapter remove) >/dev/null 2>&1
  rm -rf "$run_in"
done
