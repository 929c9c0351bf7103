#!/usr/bin/env python3
"""Proves that scripts/check-package finds a faulty package: from a good package it writes copies with
one fault each (a sound missing, a sound named in GBK bytes as an archiver on Linux would store it, a DLL
of the other architecture, a stray file, an option file with Unix line ends) and wants the check to
refuse each one with its reason, and to pass the good package.

Usage: check-package-faults.py PACKAGE WORK CHECK-COMMAND...
(the check command gets the package to check appended)
"""
import pathlib
import shutil
import struct
import subprocess
import sys
import zipfile


class RawNameInfo(zipfile.ZipInfo):
    """An entry whose name is stored as the given bytes without the UTF-8 flag."""

    def __init__(self, raw_name, template):
        super().__init__(template.filename, template.date_time)
        self.raw_name = raw_name
        self.compress_type = template.compress_type
        self.external_attr = template.external_attr

    def _encodeFilenameFlags(self):
        return self.raw_name, self.flag_bits & ~0x800


def rewrite(package, target, change):
    """Copies `package` to `target`, passing each entry and its bytes through `change`, which returns
    a list of (ZipInfo or name, bytes) to write in its place."""
    target.parent.mkdir(parents=True, exist_ok=True)
    with zipfile.ZipFile(package) as source, zipfile.ZipFile(target, "w", zipfile.ZIP_STORED) as out:
        for entry in source.infolist():
            for info, data in change(entry, source.read(entry)):
                out.writestr(info, data)


def main():
    package = pathlib.Path(sys.argv[1])
    work = pathlib.Path(sys.argv[2])
    check = sys.argv[3:]
    shutil.rmtree(work, ignore_errors=True)
    with zipfile.ZipFile(package) as archive:
        names = archive.namelist()
    top = names[0].split("/")[0]
    sound = next(n for n in names if "/Sound/" in n and not n.isascii() and not n.endswith("/"))
    other_machine = {0x014C: 0x8664, 0x8664: 0x014C}

    def drop_sound(entry, data):
        return [] if entry.filename == sound else [(entry, data)]

    def gbk_sound(entry, data):
        if entry.filename != sound:
            return [(entry, data)]
        return [(RawNameInfo(entry.filename.encode("gbk"), entry), data)]

    def other_dll(entry, data):
        if not entry.filename.endswith("/Morvane.dll"):
            return [(entry, data)]
        patched = bytearray(data)
        offset = struct.unpack_from("<I", patched, 0x3C)[0]
        machine, = struct.unpack_from("<H", patched, offset + 4)
        struct.pack_into("<H", patched, offset + 4, other_machine.get(machine, 0))
        return [(entry, bytes(patched))]

    def stray_file(entry, data):
        extra = [(f"{top}/libMorvane.dll.a", b"!<arch>\n")] if entry.filename.endswith("/Morvane.dll") else []
        return [(entry, data)] + extra

    def unix_ini(entry, data):
        return [(entry, data.replace(b"\r\n", b"\n") if entry.filename.endswith(".ini") else data)]

    short = sound.split("/")[-1]
    cases = {
        "missing-sound": (drop_sound, f"{short} is missing"),
        "gbk-sound": (gbk_sound, "is not stored as UTF-8"),
        "other-dll": (other_dll, "Morvane.dll is built for machine"),
        "stray-file": (stray_file, "libMorvane.dll.a does not belong in the package"),
        "unix-ini": (unix_ini, ".ini has line ends without CR"),
    }
    failures = 0
    good = subprocess.run(check + [str(package)], capture_output=True, text=True)
    if good.returncode != 0:
        print(f"FAILED the good package is refused:\n{good.stdout}{good.stderr}")
        failures += 1
    for name, (change, reason) in cases.items():
        faulty = work / name / package.name
        rewrite(package, faulty, change)
        result = subprocess.run(check + [str(faulty)], capture_output=True, text=True)
        found = result.returncode == 1 and reason in result.stdout
        print(f"{'ok    ' if found else 'FAILED'} {name}: the check says \"{reason}\"")
        if not found:
            print(result.stdout + result.stderr)
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
