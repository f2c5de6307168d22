#!/usr/bin/env python3
"""Writes the package managers' manifests for a release zip, from the zip itself (its
version, taken from its name, and its SHA-256) and the version record's texts:

  DIST/winget/manifests/h/Halvorn/Corvane/<version>/  winget's version, default-locale
                                                      and installer files (schema 1.12.0)
  DIST/scoop/corvane.json                             Scoop's manifest

usage: release_manifests.py VERSION.RC DIST/Corvane-<version>-win32.zip
"""
import hashlib
import json
import pathlib
import re
import sys

import yaml

WINGET_SCHEMA = "1.12.0"
# Where a release's zip is published, beside its .sha256 line.
DOWNLOADS = "https://halvorn.example/corvane"


def version_record(rc_text):
    return dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', rc_text))


def winget(record, version, url, sha256):
    ident = f"{record['CompanyName']}.{record['ProductName']}"
    head = {"PackageIdentifier": ident, "PackageVersion": version}
    home = record["Comments"].split(", ")[0]
    return {
        f"{ident}.yaml": dict(head, DefaultLocale="en-US", ManifestType="version"),
        f"{ident}.locale.en-US.yaml": dict(
            head, PackageLocale="en-US", Publisher=record["CompanyName"], PublisherUrl=home,
            PackageName=record["ProductName"], PackageUrl=home, License="Proprietary",
            Copyright=record["LegalCopyright"], ShortDescription=record["FileDescription"],
            ManifestType="defaultLocale"),
        f"{ident}.installer.yaml": dict(
            head, InstallerType="zip", NestedInstallerType="portable",
            NestedInstallerFiles=[{"RelativeFilePath": "Corvane.exe"}],
            # No command alias: started through winget's link in its shared Links folder, the program
            # would take that folder for its own. The package folder goes on the PATH instead.
            ArchiveBinariesDependOnPath=True,
            # A machine-wide portable install lands under Program Files, where the settings file
            # cannot be written.
            Scope="user",
            Installers=[{"Architecture": "x86", "InstallerUrl": url, "InstallerSha256": sha256.upper()}],
            ManifestType="installer"),
    }


def scoop(record, version, url, sha256):
    exe, settings = "Corvane.exe", "Corvane.dat"
    return {
        "version": version,
        "description": record["FileDescription"],
        "homepage": record["Comments"].split(", ")[0],
        "license": "Proprietary",
        "url": url,
        "hash": sha256,
        "bin": exe,
        "shortcuts": [[exe, record["ProductName"]]],
        # Without the file, persisting would make a folder of its name.
        "pre_install": f'if (!(Test-Path "$persist_dir\\{settings}")) {{ New-Item "$dir\\{settings}" -ItemType File | Out-Null }}',
        "persist": settings,
        # Scoop runs this before an update too, where the registry values are to stay.
        "pre_uninstall": [
            "if ($cmd -eq 'uninstall') {",
            f"    $p = Start-Process \"$dir\\{exe}\" -ArgumentList '/uninstall', '/quiet' -Wait -PassThru",
            "    if ($p.ExitCode -ne 0) { warn 'Corvane.exe /uninstall left values that only an administrator can remove: see Removing it in its README' }",
            "}"],
        "checkver": {"url": DOWNLOADS, "regex": r"Corvane-([\d.]+)-win32\.zip"},
        "autoupdate": {"url": f"{DOWNLOADS}/Corvane-$version-win32.zip", "hash": {"url": "$url.sha256"}},
    }


def main(rc_path, zip_path):
    record = version_record(pathlib.Path(rc_path).read_text(encoding="utf-8"))
    zip_path = pathlib.Path(zip_path)
    version = re.fullmatch(r"Corvane-(.+)-win32\.zip", zip_path.name).group(1)
    sha256 = hashlib.sha256(zip_path.read_bytes()).hexdigest()
    url = f"{DOWNLOADS}/{zip_path.name}"
    folder = zip_path.parent / "winget/manifests/h/Halvorn/Corvane" / version
    folder.mkdir(parents=True, exist_ok=True)
    for name, manifest in winget(record, version, url, sha256).items():
        kind = manifest["ManifestType"]
        manifest["ManifestVersion"] = WINGET_SCHEMA
        # safe_dump quotes every text that YAML would read as a number, a date or a flag (0.15).
        (folder / name).write_text(
            f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{WINGET_SCHEMA}.schema.json\n\n"
            + yaml.safe_dump(manifest, sort_keys=False, allow_unicode=True, width=1000), encoding="utf-8")
    (zip_path.parent / "scoop").mkdir(exist_ok=True)
    (zip_path.parent / "scoop/corvane.json").write_text(
        json.dumps(scoop(record, version, url, sha256), indent=4, ensure_ascii=False) + "\n", encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
