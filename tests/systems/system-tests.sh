# The utility on the systems it is made for, sourced by scripts/run-tests (it supplies $top, $out,
# $results, run_gtest, run_check and a virtual display). For each of Windows 98 SE, ME, 2000 and
# XP: a fresh prefix reporting that version (checked with `wine winecfg /v`), the journeys whose
# course differs by platform family (test_e2e_journeys.exe, Systems.*), then the prefix removed.
#
# What ships is 32-bit, so where the machine runs 32-bit programs each prefix is a 32-bit one
# (WINEARCH=win32) whose version winecfg sets, and the shipped programs run in it. A machine whose
# kernel runs none cannot make such a prefix: there the x86_64 build runs in a 64-bit prefix given the same version value winecfg writes
# (HKCU\Software\Wine\Version; winecfg itself refuses these versions in a 64-bit prefix, and Wine
# then reports them to 64-bit programs alike), and the label names the build that ran.

# system_prefix version folder: makes the prefix (WINEPREFIX names it after) and sets
# system_target to the target whose build runs in it, empty when none could be made.
system_prefix() {
  local kind=$1 prefix=$2
  if wine_env_runs_32bit; then
    system_target=i686
    export WINEARCH=win32
    wine_env_make_prefix "$prefix" >/dev/null 2>&1 && wine winecfg /v "$kind" >/dev/null 2>&1 && return 0
    system_target=
    return 1
  fi
  system_target=x86_64
  wine_env_make_prefix "$prefix" >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine' /v Version /d "$kind" /f >/dev/null 2>&1 || system_target=
}

# system_journeys win98|winme|win2k|winxp
system_journeys() {
  local kind=$1 saved_prefix=${WINEPREFIX:-} filter='Systems.*' bin
  local prefix=$results/systems/prefix-$kind
  case $kind in win2k|winxp) filter='Systems.*:-Systems.On9x*' ;; esac  # the node's notices are 9x only
  system_prefix "$kind" "$prefix"
  bin=$out/$system_target/bin
  if [ -n "$system_target" ] && [ "$(wine winecfg /v 2>/dev/null | tr -d '\r')" = "$kind" ] && [ -f "$bin/test_e2e_journeys.exe" ]; then
    RUN_DIR=$bin run_gtest "systems/$kind ($system_target)/test_e2e_journeys.exe" wine "$bin/test_e2e_journeys.exe" \
      --gtest_filter="$filter"
  else
    failed=$((failed + 1)); echo "systems/$kind: no prefix reporting $kind (or no test build for it)"
  fi
  wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
  rm -rf "$prefix"
  unset WINEARCH
  export WINEPREFIX=$saved_prefix
}

system_tests() {
  local kind
  mkdir -p "$results/systems"
  for kind in win98 winme win2k winxp; do system_journeys "$kind"; done
}
