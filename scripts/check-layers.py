#!/usr/bin/env python3
"""Fails when an #include in src/ runs against the order of the layers.

The core's layers, from the bottom: platform < package < cache < game < commands. A file may include
from its own layer and the layers below it, never from one above. The front-ends (win32, cli, qt)
sit on the core and never include one another. <windows.h> (and the other Win32 headers) may only
be included by the platform layer's _win32 files and by the Windows front-end; Qt headers only by
the Qt front-end.
"""
import pathlib
import re
import sys

LAYERS = {"platform": 1, "package": 2, "cache": 3, "game": 4, "commands": 5}
FRONT_ENDS = {"win32", "cli", "qt"}
WIN32_HEADERS = {"windows.h", "commctrl.h", "shlobj.h", "shellapi.h", "tlhelp32.h", "objbase.h", "winreg.h"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def main() -> int:
    root = pathlib.Path(__file__).resolve().parent.parent / "src"
    faults = []
    for path in sorted(root.rglob("*")):
        if path.suffix not in {".h", ".cpp"}:
            continue
        folder = path.relative_to(root).parts[0]
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, name = match.groups()
            where = f"src/{path.relative_to(root)}:{number}: {name}"
            if bracket == '"' and "/" in name:
                target = name.split("/")[0]
                if folder in LAYERS and target in FRONT_ENDS:
                    faults.append(f"{where}: the core includes a front-end")
                elif folder in LAYERS and target in LAYERS and LAYERS[target] > LAYERS[folder]:
                    faults.append(f"{where}: {folder} includes from {target}, a layer above it")
                elif folder in FRONT_ENDS and target in FRONT_ENDS and target != folder:
                    faults.append(f"{where}: one front-end includes another")
            base = name.split("/")[-1].lower()
            if bracket == "<" and base in WIN32_HEADERS:
                if not (folder == "win32" or (folder == "platform" and path.stem.endswith("_win32"))):
                    faults.append(f"{where}: a Windows header outside the Windows parts")
            if bracket == "<" and (name.startswith("Q") or name.startswith("qt")) and folder != "qt":
                faults.append(f"{where}: a Qt header outside the Qt front-end")
    for fault in faults:
        print(fault)
    print(f"layers: {len(faults)} include(s) against the order" if faults else "layers: every include runs down")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
