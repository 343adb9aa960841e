# The installer's tests, sourced by scripts/run-tests after the other suites (it supplies $top,
# $out, $results, run_gtest, run_check and a virtual display):
#  - scripts/package: one .msi and one .zip with the programs the installer source lists (the
#    .msi also the helper), never the simulated adapter's files, the build's version; each
#    shipped program carries one manifest with its version resource's version and its rights,
#    no debug sections, and the name and checksum of its symbols file in symbols/.
#  - scripts/package --sign with a throw-away certificate: the .msi and every program in it and in
#    the .zip verify; one changed byte makes a program fail.
#  - the same sources built and packaged as an older version, for upgrade and downgrade.
#  - test_install_journey.exe in fresh prefixes reporting Windows 2000 and XP (32-bit) and Windows 10.

installer_programs() {
  python3 - "$top/packaging/wlan-utility.wxs" <<'PY'
import sys, xml.etree.ElementTree as ET
ns = {"w": "http://schemas.microsoft.com/wix/2006/wi"}
group = ET.parse(sys.argv[1]).getroot().find(".//w:ComponentGroup[@Id='Programs']", ns)
print("\n".join(f.get("Source") for f in group.iterfind(".//w:File", ns)))
PY
}

installer_check_package() {
  "$top/scripts/package" && msiextract -C "$installer_work/unpacked" "$out"/package/*.msi >/dev/null || return 1
  python3 - "$out/package" "$installer_work/unpacked" "$(cat "$out/i686/generated/version.txt")" $(installer_programs) <<'PY' || return 1
import os, re, struct, subprocess, sys, zipfile, zlib
folder, unpacked, version, *programs = sys.argv[1:]
names = sorted(n for n in os.listdir(folder) if n != "symbols")
symbols = os.path.join(folder, "symbols")
msi = os.path.join(folder, next(n for n in names if n.endswith(".msi")))
def table(name):
    out = subprocess.run(["msiinfo", "export", msi, name], capture_output=True, text=True, check=True).stdout
    return [row.split("\t") for row in out.splitlines()[3:]]
props = {row[0]: row[1] for row in table("Property")}
zipped = zipfile.ZipFile(os.path.join(folder, next(n for n in names if n.endswith(".zip")))).namelist()
found = {os.path.basename(p): os.path.join(d, p) for d, _, files in os.walk(unpacked) for p in files}
checks = [
    ("package files", [n.endswith((".msi", ".zip")) and version in n for n in names], [True, True]),
    ("msi files", sorted(row[2] for row in table("File")), sorted(programs + ["Tarnel_Setup.exe"])),
    ("zip files", sorted(os.path.basename(n) for n in zipped), sorted(programs + ["README.txt"])),
    ("product", [props.get(k) for k in ("ProductVersion", "Manufacturer", "ProductName")],
     [version, "Norvik", "IEEE 802.11b WLAN Cardbus Utility"]),
    ("symbols", sorted(os.listdir(symbols)), sorted(p + ".debug" for p in programs + ["Tarnel_Setup.exe"])),
]
def debug_link(exe, data):  # [debug sections, the named file's checksum matches]
    sections = subprocess.run(["i686-w64-mingw32-objdump", "-h", exe], capture_output=True, text=True).stdout
    name = os.path.basename(exe).encode() + b".debug\0"
    at = data.find(name)
    crc_at = (at + len(name) + 3) // 4 * 4
    crc = struct.unpack_from("<I", data, crc_at)[0] if at >= 0 else None
    symbols_file = os.path.join(symbols, os.path.basename(exe) + ".debug")
    matches = os.path.exists(symbols_file) and crc == zlib.crc32(open(symbols_file, "rb").read())
    return [sections.count(" .debug_"), ".gnu_debuglink" in sections, matches]
for exe, level in [("Tarnel_UI.exe", "requireAdministrator"), ("Tarnel_Setup.exe", "asInvoker"),
                   ("nvkctl.exe", "asInvoker")]:
    data = open(found[exe], "rb").read()
    ms, ls = struct.unpack_from("<II", data, data.find(b"\xbd\x04\xef\xfe") + 8)  # VS_FIXEDFILEINFO
    manifests = re.findall(rb"<assembly .*?</assembly>", data, re.S)
    m = manifests[0].decode() if manifests else ""
    checks.append((exe, [len(manifests), f'version="{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"' in m,
                         f'level="{level}"' in m, m.count("<supportedOS "), ">false</dpiAware>" in m,
                         ">unaware</dpiAwareness>" in m, "Common-Controls" in m] + debug_link(found[exe], data),
                   [1, True, True, 5, True, True, False, 0, True, True]))
problems = [f"{what}: got {got}, want {want}" for what, got, want in checks if got != want]
sys.exit("\n".join(problems) or None)
PY
  ! osslsigncode verify -in "$out"/package/*.msi >/dev/null 2>&1 || { echo "unsigned by default, yet it verifies"; return 1; }
}

installer_check_signing() {
  local dir=$installer_work/sign f count=0
  mkdir -p "$dir"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tarnel Throw-away Signer" \
    -keyout "$dir/key.pem" -out "$dir/cert.pem" 2>/dev/null &&
    openssl pkcs12 -export -inkey "$dir/key.pem" -in "$dir/cert.pem" -out "$dir/signer.pfx" -passout pass:throw-away &&
    TARNEL_SIGN_PASSWORD=throw-away "$top/scripts/package" --sign "$dir/signer.pfx" --out "$installer_work/signed" &&
    msiextract -C "$dir/msi" "$installer_work"/signed/*.msi >/dev/null || return 1
  python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$installer_work"/signed/*.zip "$dir/zip"
  while IFS= read -r -d '' f; do
    osslsigncode verify -CAfile "$dir/cert.pem" -in "$f" >"$dir/verify.log" 2>&1 && grep -q "Throw-away Signer" "$dir/verify.log" ||
      { echo "not signed: $f"; cat "$dir/verify.log"; return 1; }
    count=$((count + 1))
  done < <(find "$installer_work/signed" "$dir/msi" "$dir/zip" \( -name '*.msi' -o -name '*.exe' \) -print0)
  echo "$count signed files verified"
  [ "$count" -eq $((2 * $(installer_programs | wc -l) + 2)) ] || { echo "want the .msi, the helper and the programs twice"; return 1; }
  f=$(find "$dir/zip" -name Tarnel_UI.exe)
  python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[len(b) // 2] ^= 0xFF; open(sys.argv[1], "wb").write(b)' "$f"
  ! osslsigncode verify -CAfile "$dir/cert.pem" -in "$f" >/dev/null 2>&1 || { echo "a changed program still verifies"; return 1; }
}

installer_build_older() {  # major.(minor-1).0, or (major-1).9.0
  local older
  older=$(awk -F. '{ print ($2 > 0) ? $1 "." $2 - 1 ".0" : $1 - 1 ".9.0" }' "$out/i686/generated/version.txt")
  { [ -f "$out/i686-older/build.ninja" ] || cmake -S "$top" -B "$out/i686-older" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DTARNEL_VERSION="$older" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake"; } &&
    cmake --build "$out/i686-older" --target Tarnel_Setup $(installer_programs | sed 's/\.exe$//') \
      -j "${TARNEL_JOBS:-$(nproc)}" &&
    [ "$(cat "$out/i686-older/generated/version.txt")" = "$older" ] &&
    "$top/scripts/package" --build "$out/i686-older" --out "$installer_work/older"
}

winpath() { local p="Z:$1"; echo "${p//\//\\}"; }

# installer_journey win2k|winxp|win10: the journeys in a fresh prefix reporting that version.
installer_journey() {
  local kind=$1 saved_prefix=$WINEPREFIX saved_overrides=$WINEDLLOVERRIDES system=syswow64 autostart=task
  local prefix=$installer_work/prefix-$kind bin=$out/i686/bin w=$installer_work
  local version older
  version=$(cat "$out/i686/generated/version.txt")
  older=$(cat "$out/i686-older/generated/version.txt")
  case $kind in  # Windows 2000 and plain XP are 32-bit, and start programs at logon from Run
    win2k|winxp) export WINEARCH=win32; system=system32; autostart=run ;;
  esac
  if wine_env_make_prefix "$prefix" && wine winecfg /v "$kind" && [ "$(wine winecfg /v | tr -d '\r')" = "$kind" ]; then
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"  # no shortcuts in this machine's menus
    # The driver package's libraries where its installer puts them: the system folder.
    cp "$bin/NvkLib.dll" "$bin/CMSetup.dll" "$prefix/drive_c/windows/$system/"
    # Damaged packages: the newer one truncated and with its header zeroed, the older one scrambled.
    python3 - "$out/package/NorvikWlanUtility-$version.msi" "$w/older/NorvikWlanUtility-$older.msi" "$w" <<'PY'
import sys
newer, older, work = sys.argv[1:]
data = open(newer, "rb").read()
open(f"{work}/truncated.msi", "wb").write(data[:len(data) // 2])
open(f"{work}/header.msi", "wb").write(bytes(512) + data[512:])
old = bytearray(open(older, "rb").read())
for i in range(len(old) // 3, len(old) * 2 // 3, 7): old[i] ^= 0x5A  # mostly the embedded cabinet
open(f"{work}/scrambled.msi", "wb").write(old)
PY
    TARNEL_AUTOSTART=$autostart TARNEL_VERSION=$version TARNEL_VERSION_OLDER=$older \
      TARNEL_MSI=$(winpath "$out/package/NorvikWlanUtility-$version.msi") \
      TARNEL_MSI_OLDER=$(winpath "$w/older/NorvikWlanUtility-$older.msi") \
      TARNEL_MSI_SAME=$(winpath "$w/signed/NorvikWlanUtility-$version.msi") \
      TARNEL_MSI_DAMAGED="$(winpath "$w/truncated.msi");$(winpath "$w/header.msi")" \
      TARNEL_MSI_OLDER_DAMAGED=$(winpath "$w/scrambled.msi") \
      RUN_DIR=$bin run_gtest "install/$kind/test_install_journey.exe" wine "$bin/test_install_journey.exe"
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
  # The installed programs are 32-bit: a host that runs none cannot run the journeys.
  if wine_env_runs_32bit; then
    installer_journey win2k
    installer_journey winxp
    installer_journey win10
  fi
}
