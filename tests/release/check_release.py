#!/usr/bin/env python3
"""Checks of the release archive (release/make_release.py).

    check_release.py contents ZIP WIN32-DIR DATA-DIR
        the archive holds exactly the expected files in one folder, sorted; the programs
        are the win32 tree's i686 programs, without symbols, debug sections or a link
        time; the data files are those of DATA-DIR; the texts have CRLF line ends
    check_release.py notices ZIP MAKE_RELEASE-ARGUMENTS...
        every library file the linker maps name has its section in the archive's
        THIRD-PARTY-NOTICES.txt with its package's copyright text; and the check itself
        finds a section taken out
    check_release.py reproducible ZIP WIN32-DIR SOURCE-DIR MAKE_RELEASE-ARGUMENTS...
        the packaging step run twice into two other folders gives the archive's bytes;
        relinking each program from its objects gives the same program; the programs
        hold no path of the source or build folders
"""
import os
import re
import shlex
import struct
import subprocess
import sys
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "release"))
import make_release  # noqa: E402

EXPECTED = sorted([
    "Dazivivo/",
    "Dazivivo/ZERADE95.exe", "Dazivivo/ravezudi.exe",
    "Dazivivo/PLANET_R.BKG",
    "Dazivivo/alum.vod", "Dazivivo/arrows.vod", "Dazivivo/circles.vod",
    "Dazivivo/electron.vod", "Dazivivo/faces.vod", "Dazivivo/glow.vod",
    "Dazivivo/metal.vod", "Dazivivo/meters.vod", "Dazivivo/rosewood.vod",
    "Dazivivo/sampler.vod", "Dazivivo/stone.vod", "Dazivivo/tubes.vod",
    "Dazivivo/README.txt", "Dazivivo/LICENSE.txt", "Dazivivo/THIRD-PARTY-NOTICES.txt",
])
PROGRAMS = {"ZERADE95.exe": "ZERADE95.exe", "ravezudi.exe": "installnote/ravezudi.exe"}

failures = []


def check(what, ok, detail=""):
    print(("ok: " if ok else "FAIL: ") + what + ("" if ok or not detail else "\n  " + detail))
    if not ok:
        failures.append(what)


def pe_facts(data):
    """(machine, time stamp, symbol table pointer, section names) of a PE image."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return None
    machine, sections, stamp, symbols, _, optional = struct.unpack_from("<HHIIIH", data, pe + 4)
    table = pe + 24 + optional
    names = [data[table + 40 * i:table + 40 * i + 8].rstrip(b"\0").decode("latin-1")
             for i in range(sections)]
    return machine, stamp, symbols, names


def contents(zip_path, win32_dir, data_dir):
    zf = zipfile.ZipFile(zip_path)
    names = zf.namelist()
    check("the archive holds exactly the expected entries",
          sorted(names) == EXPECTED,
          "missing %s, unexpected %s" % (sorted(set(EXPECTED) - set(names)),
                                         sorted(set(names) - set(EXPECTED))))
    check("entries are in sorted order, the folder first", names == sorted(names))
    for name, built in PROGRAMS.items():
        data = zf.read("Dazivivo/" + name)
        facts = pe_facts(data)
        check("%s is a PE program" % name, facts is not None)
        if not facts:
            continue
        machine, stamp, symbols, sections = facts
        check("%s is for i386 (machine 0x14c, not x86_64)" % name, machine == 0x14C, hex(machine))
        check("%s carries no link time stamp" % name, stamp == 0, hex(stamp))
        check("%s has no symbol table and no debug sections" % name,
              symbols == 0 and not any(s.startswith((".debug", "/")) for s in sections),
              "symbols at %#x, sections %s" % (symbols, sections))
        check("%s is the win32 tree's program" % name,
              data == open(os.path.join(win32_dir, built), "rb").read())
        print("   %s: %d bytes, sections %s" % (name, len(data), " ".join(sections)))
    for name in sorted(os.listdir(data_dir)):
        check("%s is data/%s" % (name, name),
              zf.read("Dazivivo/" + name) == open(os.path.join(data_dir, name), "rb").read())
    for name in ("README.txt", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt"):
        text = zf.read("Dazivivo/" + name)
        check("%s has CRLF line ends only" % name,
              text.count(b"\n") > 10 and text.count(b"\n") == text.count(b"\r\n"))
    check("every file is dated alike, the folder too", len({i.date_time for i in zf.infolist()}) == 1)


def notice_sections(text):
    """{file name: section body} for the sections of a THIRD-PARTY-NOTICES.txt."""
    found = {}
    parts = re.split(r"^={78}\n", text, flags=re.M)
    # parts alternate: ..., header, body, header, body ...
    for header, body in zip(parts[1::2], parts[2::2]):
        match = re.search(r"^Linked files: (.*)$", header, re.M)
        if match:
            for name in match.group(1).split():
                found[name] = body
    return found


def missing_notices(text, arguments):
    """Linked library files of the maps whose section is missing or lacks its package's
    copyright text, as "file (package)" lines."""
    sections = notice_sections(text)
    missing = []
    for spec in arguments.program:
        linked = make_release.linked_files(spec.split(":", 1)[1])
        for path, found in sorted(make_release.origins(
                linked, os.path.abspath(arguments.codecs),
                [os.path.abspath(d) for d in arguments.own]).items()):
            if not found:
                continue
            expected = open(found[3], encoding="utf-8", errors="replace").read().rstrip("\n")
            if expected not in sections.get(os.path.basename(path), ""):
                missing.append("%s (%s)" % (path, found[0]))
    return missing


def release_arguments(argv):
    import argparse
    parser = argparse.ArgumentParser()
    for option in ("--source", "--data", "--codecs"):
        parser.add_argument(option)
    parser.add_argument("--own", action="append", default=[])
    parser.add_argument("--program", action="append", default=[])
    return parser.parse_args(argv)


def notices(zip_path, argv):
    arguments = release_arguments(argv)
    text = zipfile.ZipFile(zip_path).read("Dazivivo/THIRD-PARTY-NOTICES.txt").decode("utf-8")
    text = text.replace("\r\n", "\n")
    linked = set()
    for spec in arguments.program:
        linked |= {os.path.basename(p) for p in make_release.linked_files(spec.split(":", 1)[1])}
    missing = missing_notices(text, arguments)
    print("   sections: " + "; ".join(re.findall(r"^\[\d+\] (.*)$", text, re.M)))
    check("every linked library has its notice", not missing, "\n  ".join(missing))
    for library in ("libstdc++.a", "libgcc.a", "libmingw32.a", "libz.a",
                    "libjpeg.a", "libpng16.a", "libtiff.a", "libgif.a"):
        check("the maps name %s among the linked files" % library, library in linked)
    check("the origin of the pictures and recordings is told",
          "POV-Ray" in text and "espeak-ng" in text and "tools/assets" in text)
    # The check finds a notice taken out: drop the section of the C++ runtime.
    sections = re.split(r"(?=^={78}\n\[\d+\] )", text, flags=re.M)
    doctored = "".join(s for s in sections if "libstdc++.a" not in s.split("\n", 5)[3])
    check("a notices file without the C++ runtime's section is caught",
          doctored != text and any("libstdc++.a" in m for m in missing_notices(doctored, arguments)))


def relink(win32_dir, built, scratch):
    """Runs the program's link command again into scratch; the new program's bytes."""
    folder = os.path.join(win32_dir, os.path.dirname(built))
    name = os.path.splitext(os.path.basename(built))[0]
    # The last line links; the lines before it pack the objects, which are there already.
    command = open(os.path.join(folder, "CMakeFiles", name + ".dir", "link.txt")).read()
    words = shlex.split(command.strip().splitlines()[-1])
    if not re.search(r"-g\+\+(-\w+)?$", words[0]) or "-o" not in words:
        raise SystemExit("not a link command: " + " ".join(words[:3]))
    out = os.path.join(scratch, os.path.basename(built))
    fixed = []
    for i, word in enumerate(words):
        if i > 0 and words[i - 1] == "-o":
            word = out
        elif word.startswith("-Wl,-Map="):
            word = "-Wl,-Map=" + out + ".map"
        elif word.startswith("-Wl,--out-implib,"):
            word = "-Wl,--out-implib," + out + ".a"
        fixed.append(word)
    subprocess.run(fixed, cwd=folder, check=True)
    return open(out, "rb").read()


def reproducible(zip_path, win32_dir, source_dir, argv):
    built = open(zip_path, "rb").read()
    script = os.path.join(HERE, "..", "..", "release", "make_release.py")
    with tempfile.TemporaryDirectory() as one, tempfile.TemporaryDirectory(prefix="other ") as two:
        results = []
        for folder in (one, two):
            out = os.path.join(folder, "Dazivivo-1.0-win32.zip")
            subprocess.run([sys.executable, script, "--out", out] + argv, check=True,
                           stdout=subprocess.DEVNULL)
            results.append(open(out, "rb").read())
        check("the packaging step twice gives the same bytes", results[0] == results[1])
        check("and the bytes of the build's archive", results[0] == built,
              "the archive is older than the sources or the last commit: build again")
        for name, path in PROGRAMS.items():
            again = relink(win32_dir, path, one)
            check("%s linked again from its objects is the same bytes" % name,
                  again == open(os.path.join(win32_dir, path), "rb").read())
    zf = zipfile.ZipFile(zip_path)
    epoch = make_release.source_epoch(source_dir)
    check("entries are dated at the last commit",
          zf.infolist()[0].date_time == make_release.zip_stamp(epoch))
    paths = {os.path.realpath(source_dir), os.path.realpath(win32_dir), "/usr/", "/build/",
             "/home/", "/tmp/"}
    for name in PROGRAMS:
        strings = subprocess.run(["strings", "-n", "6"], input=zf.read("Dazivivo/" + name),
                                 capture_output=True, check=True).stdout.decode("latin-1")
        hits = sorted({line for line in strings.splitlines() if any(p in line for p in paths)})
        check("%s holds no build or source path" % name, not hits, "\n  ".join(hits[:10]))


def main():
    what = sys.argv[1]
    if what == "contents":
        contents(*sys.argv[2:5])
    elif what == "notices":
        notices(sys.argv[2], sys.argv[3:])
    elif what == "reproducible":
        reproducible(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5:])
    else:
        sys.exit("unknown check " + what)
    if failures:
        sys.exit("%d check(s) failed" % len(failures))


if __name__ == "__main__":
    main()
