#!/usr/bin/env python3
"""Checks the package managers' manifests in DIST against the published schemas' required
fields and patterns (winget 1.12.0, Scoop's schema.json) and against the release zip beside
them: the same version everywhere, the zip's SHA-256, its address, and files that are in it.
usage: check_manifests.py DIST"""
import hashlib
import json
import pathlib
import re
import sys
import zipfile

import yaml

# Patterns and required fields of winget's 1.12.0 schemas, per manifest type.
ID = r"[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}){1,7}"
VERSION = r"[^\\/:*?\"<>|\x01-\x1f]+"
LOCALE = r"([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*"
URL = r"[Hh][Tt][Tt][Pp][Ss]?://.+"
SHA256 = r"[A-Fa-f0-9]{64}"
WINGET = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName", "License",
                      "ShortDescription", "ManifestType", "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
}
PATTERNS = {"PackageIdentifier": ID, "PackageVersion": VERSION, "DefaultLocale": LOCALE, "PackageLocale": LOCALE,
            "PublisherUrl": URL, "PackageUrl": URL, "InstallerUrl": URL, "InstallerSha256": SHA256,
            "ManifestVersion": r"1\.12\.0"}
# The only file Corvane writes in its folder.
WRITTEN = {"Corvane.dat"}

dist = pathlib.Path(sys.argv[1])
faults = []
zips = sorted(dist.glob("Corvane-*-win32.zip"))
if len(zips) != 1:
    sys.exit(f"{dist}: {len(zips)} release zips, not one")
zip_path = zips[0]
version = zip_path.name.removeprefix("Corvane-").removesuffix("-win32.zip")
sha256 = hashlib.sha256(zip_path.read_bytes()).hexdigest()
in_zip = set(zipfile.ZipFile(zip_path).namelist())


def expect(ok, fault):
    if not ok:
        faults.append(fault)


def fields(where, manifest, required):
    for key in required:
        expect(isinstance(manifest.get(key), (str, list)) and manifest[key], f"{where}: no {key} (or not text)")
    for key, value in manifest.items():
        if key in PATTERNS:
            expect(isinstance(value, str) and re.fullmatch(PATTERNS[key], value), f"{where}: {key} {value!r}")


winget = {}
for path in sorted(dist.glob("winget/manifests/*/*/*/*/*.yaml")):
    text = path.read_text(encoding="utf-8")
    manifest = yaml.safe_load(text)
    kind = manifest.get("ManifestType")
    winget[kind] = manifest
    expect(kind in WINGET, f"{path.name}: manifest type {kind!r}")
    expect(text.startswith(f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.1.12.0.schema.json\n"),
           f"{path.name}: no schema line")
    expect(path.parent.name == version, f"{path.name} lies in the folder of version {path.parent.name}")
    fields(path.name, manifest, WINGET.get(kind, []))
    for installer in manifest.get("Installers", []):
        fields(f"{path.name} installer", installer, ["Architecture", "InstallerUrl", "InstallerSha256"])
expect(set(winget) == set(WINGET), f"winget manifests: {sorted(winget)}")
for kind, manifest in winget.items():
    expect(manifest.get("PackageVersion") == version, f"winget {kind}: version {manifest.get('PackageVersion')!r}, not the zip's {version}")
    expect(manifest.get("PackageIdentifier") == winget.get("version", {}).get("PackageIdentifier"), f"winget {kind}: another identifier")
expect(winget.get("version", {}).get("DefaultLocale") == winget.get("defaultLocale", {}).get("PackageLocale"), "winget: default locale")
installer = winget.get("installer", {})
expect((installer.get("InstallerType"), installer.get("NestedInstallerType"), installer.get("Scope"),
        installer.get("ArchiveBinariesDependOnPath")) == ("zip", "portable", "user", True),
       "winget installer: not a zip of a portable program for the user, on the PATH")
for nested in installer.get("NestedInstallerFiles", []):
    expect(nested.get("RelativeFilePath") in in_zip, f"winget: nested installer {nested.get('RelativeFilePath')!r} is not in the zip")
for entry in installer.get("Installers", []):
    expect(entry.get("InstallerSha256") == sha256.upper(), "winget: the SHA-256 is not the zip's, in capitals")
    expect(entry.get("InstallerUrl", "").endswith("/" + zip_path.name), "winget: the address is not the zip's")

scoop = json.loads((dist / "scoop/corvane.json").read_text(encoding="utf-8"))
for key in ["version", "homepage", "license", "url", "hash", "bin", "checkver", "autoupdate"]:
    expect(scoop.get(key), f"scoop: no {key}")
expect(re.fullmatch(r"[\w.\-+]+", scoop.get("version", "")) and scoop.get("version") == version, f"scoop: version {scoop.get('version')!r}")
expect(re.fullmatch(r"[a-fA-F0-9]{64}", scoop.get("hash", "")) and scoop.get("hash").lower() == sha256, "scoop: the hash is not the zip's")
expect(re.fullmatch(URL, scoop.get("url", "")) and scoop["url"].endswith("/" + zip_path.name), "scoop: the address is not the zip's")
expect(scoop.get("autoupdate", {}).get("url", "").replace("$version", version) == scoop.get("url"), "scoop: autoupdate's address")
expect(scoop.get("autoupdate", {}).get("hash", {}).get("url") == "$url.sha256", "scoop: autoupdate's hash not from the .sha256 file")
shortcuts = [s[0] for s in scoop.get("shortcuts", [])]
for name in [scoop.get("bin")] + shortcuts:
    expect(name in in_zip, f"scoop: {name!r} is not in the zip")
persist = scoop.get("persist", [])
for name in [persist] if isinstance(persist, str) else persist:
    expect(name in WRITTEN, f"scoop: persists {name!r}, which Corvane does not write")
    expect(f"New-Item \"$dir\\{name}\" -ItemType File" in scoop.get("pre_install", ""), f"scoop: {name} not made before it is persisted")
expect(re.search(r"Start-Process .*'/uninstall', '/quiet' -Wait", "\n".join(scoop.get("pre_uninstall", []))),
       "scoop: Corvane.exe /uninstall /quiet not run and waited for")
print("\n".join(faults + [f"{0 if faults else 1} passed, {1 if faults else 0} failed"]))
sys.exit(1 if faults else 0)
