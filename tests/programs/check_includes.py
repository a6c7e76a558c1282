#!/usr/bin/env python3
"""Checks who includes whom among the program's folders.

  game        includes nothing else (resources/resource.h, a header of plain constants,
              is open to every folder);
  sound, shell: their portable files include only game besides their own folder;
  imaging     (the picture library) includes only game, and holds no Win32 file;
  graphics    includes game and imaging;
  landscape, help: game and graphics (the drawing kit);
  shell       includes everyone; the others see of it only shell/shell_win32.h, and only
              from Win32 files of sound, landscape and help;
  installnote shares nothing.
Portable files (no "_win32" in their names) never include <windows.h>. No two folders
may include each other, directly or round a longer loop.

Usage: check_includes.py SOURCE_DIR. Prints every breach and exits 1 when there is one.
"""
import pathlib
import re
import sys

FOLDERS = ["game", "sound", "shell", "imaging", "graphics", "landscape", "help", "installnote"]
SHARED = "resources"
ALLOWED = {
    "game": set(),
    "sound": {"game"},
    "imaging": {"game"},
    "graphics": {"game", "imaging"},
    "landscape": {"game", "graphics"},
    "help": {"game", "graphics"},
    "shell": {"game", "sound", "imaging", "graphics", "landscape", "help"},
    "installnote": set(),
}
PORTABLE_ALLOWED = {"sound": {"game"}, "shell": {"game"}}
PORTABLE_ONLY = {"imaging"}
SHELL_PUBLIC = "shell/shell_win32.h"
SHELL_PUBLIC_READERS = {"sound", "landscape", "help"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def Check(top):
    breaches = []
    edges = {folder: set() for folder in FOLDERS}
    for folder in FOLDERS:
        for path in sorted((top / folder).glob("*")):
            if path.suffix not in (".h", ".cpp", ".c", ".rc"):
                continue
            portable = "_win32" not in path.name and path.suffix != ".rc"
            where = f"{folder}/{path.name}"
            if folder in PORTABLE_ONLY and not portable:
                breaches.append(f"{where}: {folder} holds portable files only")
            for kind, name in INCLUDE.findall(path.read_text(errors="replace")):
                if kind == "<":
                    if portable and name.lower() == "windows.h":
                        breaches.append(f"{where}: a portable file includes <windows.h>")
                    continue
                target = name.split("/")[0] if "/" in name else folder
                if target == folder or target == SHARED:
                    continue
                if target not in FOLDERS:
                    breaches.append(f"{where}: includes \"{name}\" from outside the program")
                    continue
                if target == "shell" and folder != "shell":
                    if name != SHELL_PUBLIC:
                        breaches.append(f"{where}: includes the shell's private \"{name}\"")
                    elif portable or folder not in SHELL_PUBLIC_READERS:
                        breaches.append(f"{where}: {folder} may not include \"{name}\"")
                    continue  # the public header is a leaf: no edge back into the shell
                allowed = PORTABLE_ALLOWED.get(folder, ALLOWED[folder]) if portable \
                    else ALLOWED[folder]
                if target not in allowed:
                    breaches.append(f"{where}: {folder} may not include \"{name}\"")
                edges[folder].add(target)
    # Folder loops, whatever the table above allows.
    def Visit(folder, trail):
        for target in sorted(edges[folder]):
            if target in trail:
                loop = trail[trail.index(target):] + [target]
                breaches.append("folder loop: " + " -> ".join(loop))
            elif len(trail) < len(FOLDERS):
                Visit(target, trail + [target])
    for folder in FOLDERS:
        Visit(folder, [folder])
    return sorted(set(breaches))


def main():
    top = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    breaches = Check(top)
    for breach in breaches:
        print(breach)
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
