#!/usr/bin/env python3
"""The audit against a hand-made PE and reduced export lists in a temp folder."""
import os, struct, subprocess, sys, tempfile, unittest

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
AUDIT = os.path.join(TOP, "scripts", "import-audit")


def make_pe(path, imports, subsystem=(4, 0)):
    """A minimal i386 PE: one section at rva 0x1000 holding the import table."""
    sec = bytearray()
    names, thunks = {}, {}
    desc_size = 20 * (len(imports) + 1)
    sec += b"\0" * desc_size
    for dll, funcs in imports:
        names[dll] = 0x1000 + len(sec); sec += dll.encode() + b"\0"
        rvas = []
        for f in funcs:
            if isinstance(f, int):
                rvas.append(0x80000000 | f)
            else:
                rvas.append(0x1000 + len(sec)); sec += b"\0\0" + f.encode() + b"\0"
        while len(sec) % 4: sec += b"\0"
        thunks[dll] = 0x1000 + len(sec)
        sec += struct.pack("<%dI" % (len(rvas) + 1), *(rvas + [0]))
    for i, (dll, _) in enumerate(imports):
        struct.pack_into("<IIIII", sec, 20 * i, thunks[dll], 0, 0, names[dll], thunks[dll])
    sec += b"\0" * (-len(sec) % 0x200)
    opt = bytearray(224)
    struct.pack_into("<H", opt, 0, 0x10B)
    struct.pack_into("<HH", opt, 40, 4, 0)
    struct.pack_into("<HH", opt, 48, *subsystem)
    struct.pack_into("<I", opt, 92, 16)
    struct.pack_into("<II", opt, 104, 0x1000, desc_size)
    hdr = bytearray(0x200)
    hdr[:2] = b"MZ"; struct.pack_into("<I", hdr, 0x3C, 0x40)
    coff = b"PE\0\0" + struct.pack("<HHIIIHH", 0x14C, 1, 0, 0, 0, len(opt), 0x102)
    sect = b".idata\0\0" + struct.pack("<IIIIIIHHI", len(sec), 0x1000, len(sec), 0x200, 0, 0, 0, 0, 0xC0000040)
    body = coff + bytes(opt) + sect
    hdr[0x40:0x40 + len(body)] = body
    with open(path, "wb") as f:
        f.write(bytes(hdr) + bytes(sec))


class ImportAudit(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.ref = os.path.join(self.tmp.name, "ref")
        for sysdir, k32 in (("98se", "GetTickCount\nCreateSemaphoreW stub\n@17\n"),
                            ("me", "GetTickCount\nCreateSemaphoreW stub\n@17\n"),
                            ("2000", "# comment line\nGetTickCount\nCreateSemaphoreW\n@17\n"),
                            ("xp", "GetTickCount\nCreateSemaphoreW\n@17\nGetTickCount64\n")):
            os.makedirs(os.path.join(self.ref, sysdir))
            with open(os.path.join(self.ref, sysdir, "kernel32.dll.txt"), "w") as f:
                f.write(k32)
        with open(os.path.join(self.ref, "xp", "iphlpapi.dll.txt"), "w") as f:
            f.write("GetAdaptersInfo\n")
        self.accept("# why each is harmless\n")

    def accept(self, text):
        with open(os.path.join(self.ref, "accepted.txt"), "w") as f:
            f.write(text)

    def tearDown(self):
        self.tmp.cleanup()

    def run_audit(self, imports, subsystem=(4, 0)):
        exe = os.path.join(self.tmp.name, "nvkctl.exe")
        make_pe(exe, imports, subsystem)
        p = subprocess.run([sys.executable, AUDIT, "--ref", self.ref, exe],
                           capture_output=True, text=True)
        return p.returncode, p.stdout.splitlines()

    def test_clean_program_passes(self):
        rc, out = self.run_audit([("KERNEL32.dll", ["GetTickCount", 17])])
        self.assertEqual(rc, 0, out)
        self.assertIn("0 miss(es)", out[-1])

    def test_each_miss_names_program_function_system_and_kind(self):
        rc, out = self.run_audit([("KERNEL32.dll", ["GetTickCount64", "CreateSemaphoreW", 18]),
                                  ("IPHLPAPI.DLL", ["GetAdaptersInfo"])])
        self.assertEqual(rc, 1)
        for sysname in ("98 SE", "ME", "2000"):
            self.assertIn("nvkctl.exe: KERNEL32.dll!GetTickCount64: absent on %s" % sysname, out)
            self.assertIn("nvkctl.exe: IPHLPAPI.DLL: no export list for %s (the DLL may not exist there)"
                          % sysname, out)
        self.assertNotIn("nvkctl.exe: KERNEL32.dll!GetTickCount64: absent on XP SP3", out)
        self.assertIn("nvkctl.exe: KERNEL32.dll!CreateSemaphoreW: exported only as a failing stub on ME", out)
        self.assertNotIn("nvkctl.exe: KERNEL32.dll!CreateSemaphoreW: exported only as a failing stub on 2000", out)
        self.assertIn("nvkctl.exe: KERNEL32.dll!@18: absent on XP SP3", out)
        self.assertIn(", 12 miss(es)", out[-1])

    def test_accepted_covers_stubs_only(self):
        self.accept("CreateSemaphoreW  never waited on\nGetTickCount64  cannot excuse an absent one\n")
        rc, out = self.run_audit([("KERNEL32.dll", ["CreateSemaphoreW", "GetTickCount64"])])
        self.assertEqual(rc, 1)
        self.assertFalse([line for line in out if "CreateSemaphoreW" in line], out)
        self.assertIn("nvkctl.exe: KERNEL32.dll!GetTickCount64: absent on 98 SE", out)
        self.assertIn(", 3 miss(es), 2 accepted stub(s)", out[-1])

    def test_subsystem_version_above_4_10_is_refused_on_9x(self):
        rc, out = self.run_audit([("KERNEL32.dll", ["GetTickCount"])], subsystem=(5, 1))
        self.assertEqual(rc, 1)
        self.assertIn("nvkctl.exe: header: subsystem version 5.1 is above 4.10, refused on 98 SE", out)
        self.assertEqual(sum("header" in line for line in out), 2)

    def test_list_prints_imports(self):
        exe = os.path.join(self.tmp.name, "nvkctl.exe")
        make_pe(exe, [("KERNEL32.dll", ["GetTickCount", 17])])
        out = subprocess.run([sys.executable, AUDIT, "--list", exe], capture_output=True, text=True).stdout
        self.assertIn("  KERNEL32.dll: GetTickCount @17", out)


if __name__ == "__main__":
    unittest.main()
