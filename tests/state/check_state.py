#!/usr/bin/env python3
"""Checks that every piece of state the portable libraries hold is named in the reset test.

Usage: check_state.py TEST_SOURCE LIBRARY...   (static libraries of the native tree)

A piece of state is a symbol in a writable data section (.data, .bss and their
per-symbol forms; not .data.rel.ro, which holds constant tables) of the libraries' object
files. Its name, without namespaces, must appear among the quoted names of the list
kPortableState in TEST_SOURCE, whose test checks that ResetPortableState puts it back, or
of kKeptState there, the few pieces the reset keeps on purpose.
Each listed name must also be found in the libraries, so a list that the check could
not see through fails as well. Prints every mismatch and exits 1 when there is one.
"""
import re
import subprocess
import sys

SECTION = re.compile(r"^\.(data|bss)(\.|$)")
SKIPPED = ("DW.ref.", "guard variable")  # exception-table references, static-local guards


def StateSymbols(libraries):
    found = set()
    for library in libraries:
        out = subprocess.run(["objdump", "-t", "-C", library], check=True,
                             capture_output=True, text=True).stdout
        for line in out.splitlines():
            # "0000000000000000 l     O .bss	0000000000000008 (anonymous namespace)::x"
            parts = line.split(None, 5)
            if len(parts) < 6 or parts[2] != "O":
                continue
            section, name = parts[3], parts[5].split("\t")[-1].strip()
            if not SECTION.match(section) or section.startswith(".data.rel.ro"):
                continue
            name = name.replace(".hidden ", "")
            if name.startswith(SKIPPED):
                continue
            name = re.sub(r"\[abi:[^]]*\]", "", name)
            found.add(name.split("::")[-1])
    return found


def ListedNames(source):
    text = open(source, encoding="utf-8").read()
    names = set()
    for array in ("kPortableState", "kKeptState"):
        match = re.search(array + r"\[\]\s*=\s*\{(.*?)\};", text, re.S)
        if not match:
            sys.exit(f"{source}: no {array} list")
        names |= set(re.findall(r'"([^"]+)"', match.group(1)))
    return names


def main():
    args = sys.argv[1:]
    source, libraries = args[0], args[1:]
    symbols = StateSymbols(libraries)
    listed = ListedNames(source)
    failed = False
    for name in sorted(symbols - listed):
        print(f"{name}: portable state not in the reset test's kPortableState")
        failed = True
    for name in sorted(listed - symbols):
        print(f"{name}: listed in kPortableState but no library holds it")
        failed = True
    if not failed:
        print(f"ok: the {len(symbols)} pieces of portable state are all listed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
