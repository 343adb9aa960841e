# The installer's tests, sourced by scripts/run-tests after the other suites (it supplies $top,
# $out, $results, run_gtest and run_check, and a virtual display):
#  - scripts/package: one .msi and one .zip holding the programs the installer source lists (and
#    the helper in the .msi), never the simulated adapter's files; the package's version is the
#    build's; unsigned.
#  - scripts/package --sign with a throw-away self-signed certificate: the .msi and every program
#    in it and in the .zip carry a signature that verifies; one changed byte makes it fail.
#  - an older version built and packaged, for the upgrade and downgrade journeys.
#  - test_install_journey.exe in two fresh prefixes: Windows XP (32-bit, the Run value) and
#    Windows 10 (64-bit, the logon task).

installer_programs() {  # the user-facing programs the installer source lists
  python3 - "$top/packaging/wlan-utility.wxs" <<'PY'
import sys, xml.etree.ElementTree as ET
ns = {"w": "http://schemas.microsoft.com/wix/2006/wi"}
group = ET.parse(sys.argv[1]).getroot().find(".//w:ComponentGroup[@Id='Programs']", ns)
print("\n".join(f.get("Source") for f in group.iterfind(".//w:File", ns)))
PY
}

installer_check_package() {
  "$top/scripts/package" || return 1
  python3 - "$out/package" "$(cat "$out/i686/generated/version.txt")" $(installer_programs) <<'PY' || return 1
import os, subprocess, sys, zipfile
folder, version, *programs = sys.argv[1:]
problems = []
names = sorted(os.listdir(folder))
msis = [n for n in names if n.endswith(".msi")]
zips = [n for n in names if n.endswith(".zip")]
if len(msis) != 1 or len(zips) != 1 or len(names) != 2:
    sys.exit(f"want exactly one .msi and one .zip, found {names}")
def table(name):
    rows = subprocess.run(["msiinfo", "export", os.path.join(folder, msis[0]), name],
                          capture_output=True, text=True, check=True).stdout.splitlines()[3:]
    return [r.split("\t") for r in rows]
props = {r[0]: r[1] for r in table("Property")}
files = sorted(r[2] for r in table("File"))
in_zip = sorted(os.path.basename(n) for n in zipfile.ZipFile(os.path.join(folder, zips[0])).namelist())
checks = [
    ("msi files", files, sorted(programs + ["Tarnel_Setup.exe"])),
    ("zip files", in_zip, sorted(programs + ["README.txt"])),
    ("ProductVersion", props.get("ProductVersion"), version),
    ("Manufacturer", props.get("Manufacturer"), "Norvik"),
    ("ProductName", props.get("ProductName"), "IEEE 802.11b WLAN Cardbus Utility"),
    ("names carry the version", all(version in n for n in names), True),
]
for what, got, wanted in checks:
    if got != wanted:
        problems.append(f"{what}: got {got}, want {wanted}")
for name in files + in_zip:
    if name.lower() in ("nvklib.dll", "cmsetup.dll", "nvksim.exe"):
        problems.append(f"{name} ships")
sys.exit("\n".join(problems) or None)
PY
  if osslsigncode verify -in "$out"/package/*.msi >/dev/null 2>&1; then echo "unsigned by default, yet a signature verifies"; return 1; fi
}

installer_check_signing() {
  local dir=$installer_work/sign
  mkdir -p "$dir"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tarnel Throw-away Signer" \
    -keyout "$dir/key.pem" -out "$dir/cert.pem" 2>/dev/null || return 1
  openssl pkcs12 -export -inkey "$dir/key.pem" -in "$dir/cert.pem" -out "$dir/signer.pfx" -passout pass:throw-away || return 1
  TARNEL_SIGN_PASSWORD=throw-away "$top/scripts/package" --sign "$dir/signer.pfx" --out "$installer_work/signed" || return 1
  msiextract -C "$dir/msi" "$installer_work"/signed/*.msi >/dev/null || return 1
  python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$installer_work"/signed/*.zip "$dir/zip"
  local f signed=0
  while IFS= read -r -d '' f; do
    osslsigncode verify -CAfile "$dir/cert.pem" -in "$f" >"$dir/verify.log" 2>&1 &&
      grep -q "Tarnel Throw-away Signer" "$dir/verify.log" || { echo "not signed: $f"; cat "$dir/verify.log"; return 1; }
    signed=$((signed + 1))
  done < <(find "$installer_work/signed" "$dir/msi" "$dir/zip" \( -name '*.msi' -o -name '*.exe' \) -print0)
  echo "$signed signed files verified"
  [ "$signed" -eq $(( 1 + 2 * $(installer_programs | wc -l) + 1 )) ] || { echo "want the .msi, the programs twice and the helper"; return 1; }
  # A verification that passes whatever the file holds proves nothing: one changed byte must fail.
  f=$(find "$dir/zip" -name Tarnel_UI.exe)
  python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[len(b) // 2] ^= 0xFF; open(sys.argv[1], "wb").write(b)' "$f"
  if osslsigncode verify -CAfile "$dir/cert.pem" -in "$f" >/dev/null 2>&1; then echo "a changed file still verifies"; return 1; fi
}

installer_build_older() {  # the same sources as an older version: major.(minor-1).0, or (major-1).9.0
  local version older
  version=$(cat "$out/i686/generated/version.txt")
  older=$(echo "$version" | awk -F. '{ if ($2 > 0) print $1 "." $2 - 1 ".0"; else print $1 - 1 ".9.0" }')
  [ -f "$out/i686-older/build.ninja" ] ||
    cmake -S "$top" -B "$out/i686-older" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNEL_VERSION="$older" \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" || return 1
  cmake --build "$out/i686-older" --target Tarnel_UI Tarnel_Setup -j "${TARNEL_JOBS:-$(nproc)}" || return 1
  [ "$(cat "$out/i686-older/generated/version.txt")" = "$older" ] || return 1
  "$top/scripts/package" --build "$out/i686-older" --out "$installer_work/older"
}

winpath() { local p="Z:$1"; echo "${p//\//\\}"; }

# installer_journey winxp|win10: the journeys in a fresh prefix reporting that version.
installer_journey() {
  local kind=$1 saved_prefix=$WINEPREFIX saved_overrides=$WINEDLLOVERRIDES
  local prefix=$installer_work/prefix-$kind
  [ "$kind" = winxp ] && export WINEARCH=win32  # plain XP needs a 32-bit prefix
  if wine_env_make_prefix "$prefix" && wine winecfg /v "$kind" && [ "$(wine winecfg /v | tr -d '\r')" = "$kind" ]; then
    # Shortcuts made in the prefix must not reach this machine's desktop menus.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    local autostart=task version older
    [ "$kind" = winxp ] && autostart=run
    version=$(cat "$out/i686/generated/version.txt")
    older=$(cat "$out/i686-older/generated/version.txt")
    TARNEL_AUTOSTART=$autostart TARNEL_VERSION=$version TARNEL_VERSION_OLDER=$older \
      TARNEL_MSI=$(winpath "$out/package/NorvikWlanUtility-$version.msi") \
      TARNEL_MSI_OLDER=$(winpath "$installer_work/older/NorvikWlanUtility-$older.msi") \
      TARNEL_MSI_SAME=$(winpath "$installer_work/signed/NorvikWlanUtility-$version.msi") \
      RUN_DIR="$out/i686/bin" run_gtest "install/$kind/test_install_journey.exe" wine "$out/i686/bin/test_install_journey.exe"
  else
    failed=$((failed + 1)); echo "install/$kind: the $kind prefix could not be made"
  fi
  wineserver -k; wineserver -w
  rm -rf "$prefix"
  unset WINEARCH
  export WINEPREFIX=$saved_prefix WINEDLLOVERRIDES=$saved_overrides
}

installer_tests() {
  installer_work=$results/installer
  mkdir -p "$installer_work"
  run_check "install/package" installer_check_package
  run_check "install/signing" installer_check_signing
  run_check "install/older-version-package" installer_build_older
  installer_journey winxp
  installer_journey win10
}
