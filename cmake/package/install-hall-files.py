#!/usr/bin/env python3
"""Installs what a hall ships beside Morvane.dll into a folder (the library itself is installed by CMake):

  Sound/<GameID>/   every sound the table plays and the betting music, as the native build wrote them
  Image/<GameID>/   the table's window icon
  <GameID>.ini      the game's option file as a hall ships it (written by the native morvane-hall-ini)
  licenses/         the notices of the libraries linked into the library, as Debian and their authors
                    ship them, with Windows line ends

The native build names the sounds in GBK bytes, as the table spells them at run time; here they become
the characters they stand for, which Windows keeps as Unicode and the ZIP package stores as UTF-8.

Usage: install-hall-files.py --dest DIR --game-id ID --assets DIR --ini FILE --deps DIR --triplet TRIPLET
"""
import argparse
import os
import pathlib
import shutil
import sys
import tarfile


def fail(message):
    print(f"install-hall-files: {message}", file=sys.stderr)
    sys.exit(1)


def copy_sounds(source, dest):
    """Copies every sound of `source`, its GBK name made Unicode; returns how many there were."""
    if not source.is_dir():
        fail(f"no sounds in {source}: build the native preset first (cmake --build --preset linux)")
    dest.mkdir(parents=True, exist_ok=True)
    count = 0
    for raw in sorted(os.listdir(os.fsencode(source))):
        try:
            name = raw.decode("gbk")
        except UnicodeDecodeError:
            fail(f"the sound {raw!r} in {source} is not named in GBK")
        shutil.copyfile(os.path.join(os.fsencode(source), raw), dest / name)
        count += 1
    if count == 0:
        fail(f"no sounds in {source}")
    return count


def windows_text(data):
    """The bytes of a text file with CR LF line ends, as Notepad on every Windows shows them."""
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def member_of(deps, package_glob, name):
    """The bytes of `name` (a file at the top of the source tree) in the newest orig tarball matching
    `package_glob` in the dependency cache's source folder."""
    tarballs = sorted((deps / "src").glob(package_glob))
    if not tarballs:
        fail(f"no {package_glob} in {deps / 'src'}: run scripts/setup (or scripts/build-mingw-deps {deps})")
    with tarfile.open(tarballs[-1]) as archive:
        for member in archive.getmembers():
            parts = member.name.split("/")
            if member.isfile() and len(parts) == 2 and parts[1] == name:
                return archive.extractfile(member).read()
    fail(f"{tarballs[-1]} holds no {name}")


def read_file(path, hint):
    try:
        return pathlib.Path(path).read_bytes()
    except OSError as error:
        fail(f"cannot read {path} ({error.strerror}): {hint}")


def main():
    parser = argparse.ArgumentParser()
    for option in ("--dest", "--game-id", "--assets", "--ini", "--deps", "--triplet"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    dest = pathlib.Path(args.dest)
    assets = pathlib.Path(args.assets)
    deps = pathlib.Path(args.deps)

    sounds = copy_sounds(assets / "Sound" / args.game_id, dest / "Sound" / args.game_id)

    icon_folder = dest / "Image" / args.game_id
    icon_folder.mkdir(parents=True, exist_ok=True)
    for icon in sorted((assets / "Image" / args.game_id).glob("*.bmp")):
        shutil.copyfile(icon, icon_folder / icon.name)

    # Copied as it is: the table reads its option file byte for byte, in GBK with CR LF.
    ini = pathlib.Path(args.ini)
    (dest / f"{args.game_id}.ini").write_bytes(
        read_file(ini, "build the native preset first (cmake --build --preset linux)"))

    # The libraries inside the DLL: libpng and libjpeg-turbo as built from Debian's source packages,
    # zlib and the mingw-w64 runtime (its start-up code and winpthreads) from Debian's packages.
    arch_package = "x86-64" if args.triplet.startswith("x86_64") else "i686"
    notices = {
        "libpng.txt": member_of(deps, "libpng1.6_*.orig.tar.*", "LICENSE"),
        "libjpeg-turbo.txt": member_of(deps, "libjpeg-turbo_*.orig.tar.*", "LICENSE.md"),
        "libjpeg-turbo-ijg.txt": member_of(deps, "libjpeg-turbo_*.orig.tar.*", "README.ijg"),
        "zlib.txt": read_file("/usr/share/doc/libz-mingw-w64-dev/copyright",
                              "install libz-mingw-w64-dev (scripts/setup does)"),
        "mingw-w64-runtime.txt": read_file(f"/usr/share/doc/mingw-w64-{arch_package}-dev/copyright",
                                           f"install mingw-w64-{arch_package}-dev (scripts/setup does)"),
    }
    licenses = dest / "licenses"
    licenses.mkdir(parents=True, exist_ok=True)
    for name, text in notices.items():
        (licenses / name).write_bytes(windows_text(text))

    print(f"install-hall-files: {sounds} sounds, the option file and {len(notices)} notices in {dest}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
