#!/usr/bin/env python3
"""The release checks pass a good release and the CI workflow, and each fails on the fault it is
for, planted once: check_package.py, check_manifests.py and scripts/lint.sh.
usage: release_faults.py SOURCE_DIR"""
import hashlib, pathlib, re, shutil, struct, subprocess, sys, tempfile, zipfile

root = pathlib.Path(sys.argv[1])
work = pathlib.Path(tempfile.mkdtemp())
exe = work / "Corvane.exe"
# A stand-in for the program: the fixed file information of version 0.15, as the version record holds it.
exe.write_bytes(b"MZ" + struct.pack("<4I", 0xFEEF04BD, 0x10000, 15, 0))
zip_name = "Corvane-0.15-win32.zip"
winget = "winget/manifests/h/Halvorn/Corvane/0.15/Halvorn.Corvane"


run = lambda *command: subprocess.run(list(map(str, command)), capture_output=True, text=True)  # noqa: E731


def sha256_line(dist):
    (dist / f"{zip_name}.sha256").write_text(f"{hashlib.sha256((dist / zip_name).read_bytes()).hexdigest()}  {zip_name}\n")


def refold(dist):  # the zip's entries in a folder named after the version, as before
    with zipfile.ZipFile(dist / zip_name) as old:
        entries = [(f"Corvane-0.15/{name}", old.read(name)) for name in old.namelist()]
    with zipfile.ZipFile(dist / zip_name, "w") as new:
        [new.writestr(name, data) for name, data in entries]
    sha256_line(dist)


def edit(file, pattern, new):
    def plant(dist):
        (dist / file).write_text(re.sub(pattern, new, (dist / file).read_text(), count=1))
    return plant


checks = {
    "package": lambda dist: run(sys.executable, root / "tests/resources/check_package.py", dist, exe),
    "manifests": lambda dist: run(sys.executable, root / "scripts/check_manifests.py", dist),
    "workflow": lambda dist: run("bash", root / "scripts/lint.sh", dist / "windows.yml"),
}
cases = [  # the fault, the check that must catch it, how it is planted
    ("none", None, lambda dist: None),
    ("a version folder in the zip", "package", refold),
    ("a hash that differs from the zip's", "manifests", edit(f"{winget}.installer.yaml", r"InstallerSha256: \w{64}", "InstallerSha256: " + "0" * 64)),
    ("a winget file whose version differs", "manifests", edit(f"{winget}.yaml", r"PackageVersion: '0.15'", "PackageVersion: '0.16'")),
    ("a nested installer file not in the zip", "manifests", edit(f"{winget}.installer.yaml", r"RelativeFilePath: Corvane.exe", "RelativeFilePath: bin/Corvane.exe")),
    ("a Scoop persist for a file Corvane does not write", "manifests", edit("scoop/corvane.json", r'"persist": "Corvane.dat"', '"persist": ["Corvane.dat", "Corvane.ini"]')),
    ("a needs: naming no job", "workflow", edit("windows.yml", r"needs: linux", "needs: build")),
]
failed = 0
for fault, check, plant in cases:
    (dist := work / re.sub(r"\W+", "-", fault)).mkdir()
    run(sys.executable, root / "scripts/release_zip.py", root / "README.md", exe, "0.15", 1700000000, dist / zip_name)
    sha256_line(dist)
    run(sys.executable, root / "scripts/release_manifests.py", root / "src/resources/corvane.rc", dist / zip_name)
    shutil.copy(root / ".github/workflows/windows.yml", dist)
    plant(dist)
    for name in checks if check is None else [check]:
        result = checks[name](dist)
        if (result.returncode == 0) != (name != check):
            failed += 1
            print(f"FAILED: {fault}: check {name} {'passed' if result.returncode == 0 else 'failed'}\n{result.stdout}{result.stderr}")
shutil.rmtree(work)
print(f"{len(cases) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
