#!/usr/bin/env python3
"""Writes the file lists of the setup program from the folder it installs:

    nsis-lists.py ROOT GENERATED

GENERATED/install-files.nsh    SetOutPath and File for every file under ROOT
GENERATED/uninstall-files.nsh  Delete for the same files, then RMDir (never /r) for their
                               folders, deepest first, so only folders left empty go
GENERATED/size.nsh             ZX_SIZE_KB, the installed size for Apps & features

The uninstaller thus removes what this setup program installed and nothing a user put
beside it.
"""
import os
import sys


def nsis_string(text: str) -> str:
    # "$" starts a variable in NSIS strings; a Windows file name holds no double quote.
    if '"' in text:
        raise SystemExit(f'nsis-lists.py: a file name with a double quote: {text}')
    return text.replace("$", "$$")


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    root = os.path.abspath(sys.argv[1])
    out = sys.argv[2]
    os.makedirs(out, exist_ok=True)

    folders: dict[str, list[str]] = {}
    total = 0
    for here, dirs, files in os.walk(root):
        dirs.sort()
        relative = os.path.relpath(here, root)
        relative = "" if relative == "." else relative.replace(os.sep, "\\")
        for name in sorted(files):
            path = os.path.join(here, name)
            if os.path.islink(path) or not os.path.isfile(path):
                raise SystemExit(f"nsis-lists.py: not a plain file: {path}")
            folders.setdefault(relative, []).append(name)
            total += os.path.getsize(path)
    if not folders:
        raise SystemExit(f"nsis-lists.py: nothing to install in {root}")

    def target(relative: str) -> str:
        return "$INSTDIR" + ("\\" + nsis_string(relative) if relative else "")

    install = []
    uninstall = []
    for relative in sorted(folders):
        install.append(f'SetOutPath "{target(relative)}"')
        for name in folders[relative]:
            source = os.path.join(root, relative.replace("\\", os.sep), name)
            install.append(f'File "{nsis_string(source)}"')
            uninstall.append(f'Delete "{target(relative)}\\{nsis_string(name)}"')

    # Every folder on the way to a file, deepest first; the installation folder itself is
    # left to the script, after the uninstaller has removed itself.
    all_folders = set()
    for relative in folders:
        while relative:
            all_folders.add(relative)
            relative = relative.rpartition("\\")[0]
    for relative in sorted(all_folders, key=lambda r: (-r.count("\\"), r)):
        uninstall.append(f'RMDir "{target(relative)}"')

    with open(os.path.join(out, "install-files.nsh"), "w", encoding="utf-8") as f:
        f.write("\n".join(install) + "\n")
    with open(os.path.join(out, "uninstall-files.nsh"), "w", encoding="utf-8") as f:
        f.write("\n".join(uninstall) + "\n")
    with open(os.path.join(out, "size.nsh"), "w", encoding="utf-8") as f:
        f.write(f"!define ZX_SIZE_KB {(total + 1023) // 1024}\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
