#!/usr/bin/env python3
"""The release zip in DIST as Windows users get it: at its root, with no folder, exactly Corvane.exe,
the very program the build made (EXE), and README.txt for Notepad naming its SHA-256; the zip named
after the version record's version; its sha256sum line right.   usage: check_package.py DIST EXE"""
import hashlib
import pathlib
import re
import struct
import sys
import zipfile

dist, exe = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]).read_bytes()
faults = []
zips = sorted(dist.glob("Corvane-*-win32.zip"))
if len(zips) != 1:
    sys.exit(f"{dist} holds {len(zips)} release zips\n0 passed, 1 failed")
path = zips[0]
# The fixed file information follows its signature: structure version, then the file version.
major_minor, revision = struct.unpack_from("<2I", exe, exe.index(struct.pack("<I", 0xFEEF04BD)) + 8)
version = f"{major_minor >> 16}.{major_minor & 0xFFFF:02}" + (f".{revision & 0xFFFF:04}" if revision & 0xFFFF else "")
if path.name != f"Corvane-{version}-win32.zip":
    faults.append(f"{path.name} does not carry the version record's {version}")
with zipfile.ZipFile(path) as archive:
    names = archive.namelist()
    if names != ["Corvane.exe", "README.txt"]:
        faults.append(f"the zip holds {names}")
    elif archive.read("Corvane.exe") != exe:
        faults.append("the packed Corvane.exe is not the one the build made")
    else:
        readme = archive.read("README.txt")
        if not readme.startswith(b"\xef\xbb\xbf") or re.search(rb"(?<!\r)\n", readme):
            faults.append("README.txt is not UTF-8 with a byte-order mark and CRLF line ends")
        elif not all(s in readme.decode("utf-8") for s in ("™", "→", "×", hashlib.sha256(exe).hexdigest())):
            faults.append("README.txt lacks the user sections or Corvane.exe's SHA-256")
line = (dist / (path.name + ".sha256")).read_text()
if line != f"{hashlib.sha256(path.read_bytes()).hexdigest()}  {path.name}\n":
    faults.append(f"wrong checksum line: {line!r}")
print("\n".join(faults + [f"{0 if faults else 1} passed, {1 if faults else 0} failed"]))
sys.exit(1 if faults else 0)
