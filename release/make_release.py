#!/usr/bin/env python3
"""Makes the release archive Dazivivo-1.0-win32.zip: one folder Dazivivo/ holding the two
i686 programs, the data files, the player's README.txt, LICENSE.txt and
THIRD-PARTY-NOTICES.txt.

THIRD-PARTY-NOTICES.txt is assembled from the linker's map files: every archive member
and object file the programs were linked from is traced to the Debian package it came
from (dpkg for the toolchain's files, the unpacked source package for the codec
libraries built from source), and that package's copyright file is copied in unchanged.
A linked file whose package cannot be told stops the build.

The archive is the same bytes for the same inputs: entries sorted, every time stamp the
last commit's time (SOURCE_DATE_EPOCH when set), fixed permissions, no extra fields. It
is rewritten only when its bytes change.

    make_release.py --out ZIP --source SRC --data DIR --codecs DIR
                    --program NAME=EXE:MAP [--program ...] [--notices-only FILE]
"""
import argparse
import hashlib
import io
import os
import re
import subprocess
import sys
import time
import zipfile

FOLDER = "Dazivivo"
# Codec archive built by cmake/codecs_fetch.cmake -> the source package it was built from.
CODEC_SOURCES = {
    "libjpeg.a": "libjpeg-turbo",
    "libpng16.a": "libpng1.6",
    "libtiff.a": "tiff",
    "libgif.a": "giflib",
}
COMMON_LICENSES = "/usr/share/common-licenses"
RULE = "=" * 78


def fail(message):
    sys.exit("make_release: " + message)


def linked_files(map_path):
    """The archive files (those a member was taken from) and object files a link used,
    read from its GNU ld map. The map lies in the folder the linker ran in, against which
    the paths it names relative are resolved."""
    folder = os.path.dirname(os.path.abspath(map_path))
    try:
        text = open(map_path, encoding="utf-8", errors="replace").read()
    except OSError as error:
        fail("no linker map %s (%s)" % (map_path, error))
    files = set()
    section = text.split("Archive member included to satisfy reference by file (symbol)", 1)
    if len(section) == 2:
        body = re.split(r"\n(?:Discarded input sections|Allocating common symbols|Memory Configuration)", section[1])[0]
        for line in body.splitlines():
            match = re.match(r"^(\S.*\.a)\((.*)\)$", line)
            if match:
                files.add(os.path.normpath(os.path.join(folder, match.group(1))))
    for match in re.finditer(r"^LOAD (\S+\.o(?:bj)?)$", text, re.M):
        files.add(os.path.normpath(os.path.join(folder, match.group(1))))
    return files


def dpkg_owners(paths):
    """{path: installed binary package owning it} for the paths dpkg knows, trying each
    path as the linker named it, then with links resolved."""
    owners = {}
    for tries in (lambda p: p, os.path.realpath):
        asked = {tries(p): p for p in paths if p not in owners}
        if not asked:
            break
        result = subprocess.run(["dpkg-query", "-S"] + sorted(asked), capture_output=True, text=True)
        for line in result.stdout.splitlines():
            package, _, owned = line.partition(": ")
            if owned in asked and "," not in package:
                owners[asked[owned]] = package.strip()
    return owners


def dpkg_facts(packages):
    """{package: (source package, version)}."""
    result = subprocess.run(["dpkg-query", "-W", "-f=${Package}\t${source:Package}\t${Version}\n"]
                            + sorted(packages), capture_output=True, text=True, check=True)
    facts = {}
    for line in result.stdout.splitlines():
        package, source, version = line.split("\t")
        facts[package] = (source or package, version)
    return facts


def codec_source(codecs_dir, package):
    """(folder, version) of the unpacked source package."""
    for name in sorted(os.listdir(codecs_dir)):
        folder = os.path.join(codecs_dir, name)
        if name.startswith(package + "-") and os.path.isdir(folder):
            first = open(os.path.join(folder, "debian", "changelog"), encoding="utf-8").readline()
            match = re.match(r"^(\S+) \(([^)]+)\)", first)
            if match and match.group(1) == package:
                return folder, match.group(2)
    fail("no unpacked source package %s in %s" % (package, codecs_dir))


def origins(paths, codecs_dir, own_dirs):
    """Where each linked file comes from: None for the project's own files, else
    (source package, version, binary package or None, copyright file)."""
    found = {}
    codec_lib = os.path.normpath(os.path.join(codecs_dir, "..", "install", "lib"))
    system = []
    for path in paths:
        base = os.path.basename(path)
        if os.path.dirname(path) == codec_lib:
            if base not in CODEC_SOURCES:
                fail("linked codec library %s has no known source package" % path)
            folder, version = codec_source(codecs_dir, CODEC_SOURCES[base])
            found[path] = (CODEC_SOURCES[base], version, None,
                           os.path.join(folder, "debian", "copyright"))
        elif any(path.startswith(d + os.sep) for d in own_dirs):
            found[path] = None
        else:
            system.append(path)
    owners = dpkg_owners(system)
    facts = dpkg_facts(set(owners.values())) if owners else {}
    for path in system:
        if path not in owners:
            fail("linked file %s belongs to no Debian package: its licence is unknown" % path)
        package = owners[path].split(":")[0]
        copyright_file = "/usr/share/doc/%s/copyright" % package
        if not os.path.isfile(copyright_file):
            fail("package %s (linked %s) has no copyright file" % (package, path))
        source, version = facts[owners[path]]
        found[path] = (source, version, package, copyright_file)
    return found


def notices(programs, codecs_dir, own_dirs):
    """The text of THIRD-PARTY-NOTICES.txt (LF line ends)."""
    # Sections are keyed by the copyright text, so packages of one source that carry the
    # same file (gcc's C and C++ runtimes) share one section.
    sections = {}
    for program, (_, map_path) in sorted(programs.items()):
        linked = sorted(linked_files(map_path))
        for path, found in sorted(origins(linked, codecs_dir, own_dirs).items()):
            if not found:
                continue
            source, version, package, copyright_file = found
            text = open(copyright_file, encoding="utf-8", errors="replace").read()
            key = hashlib.sha256(text.encode()).hexdigest()
            section = sections.setdefault(key, dict(sources=set(), packages=set(), files=set(),
                                                    programs=set(), copyright=copyright_file,
                                                    text=text))
            section["sources"].add("%s %s" % (source, version))
            if package:
                section["packages"].add(package.split(":")[0])
            section["files"].add(os.path.basename(path))
            section["programs"].add(program)
    title = "Revaza's Dazivivo 1.0: notices of the libraries inside its programs"
    out = [
        title,
        "=" * len(title),
        "",
        "ZERADE95.exe and ravezudi.exe are linked statically: the parts they use of the",
        "libraries below are inside the two programs. For each library this file names the",
        "Debian source package it was built from, the library files the programs were",
        "linked from, and the programs; then follows that package's copyright file,",
        "unchanged. The licence texts those files refer to (in " + COMMON_LICENSES + ")",
        "are at the end.",
        "",
        "The game's own code, pictures and recordings are under the MIT licence in",
        "LICENSE.txt.",
        "",
        "Where the pictures and recordings come from",
        "-" * 43,
        "Every picture and recording of the game was made for it by the project's own",
        "generators (tools/assets in its sources), from the project's own scene files and",
        "settings, with tools from Debian's packages:",
        "- the piece image sets (*.vod) and the background PLANET_R.BKG, and the clock face,",
        "  title picture, instructions picture and icon inside ZERADE95.exe: rendered with",
        "  POV-Ray (povray) from the project's scenes, the explosion frames drawn by its",
        "  own Python code from seeded noise, put together and converted with ImageMagick;",
        "  the lettering is set in the DejaVu fonts (fonts-dejavu-core); no font file is",
        "  shipped;",
        "- the spoken words and phrases: synthesised with espeak-ng (voice en-us) and",
        "  trimmed, levelled and resampled with SoX; the sound cues and explosions:",
        "  synthesised with SoX from noise and tones.",
        "No picture or recording was taken from elsewhere.",
        "",
    ]
    ordered = sorted(sections.values(), key=lambda s: sorted(s["sources"]))
    for number, section in enumerate(ordered, 1):
        out += [
            RULE,
            "[%d] %s" % (number, ", ".join(sorted(section["sources"]))),
            "Licence text from: " + ("Debian package " + ", ".join(sorted(section["packages"]))
                                     if section["packages"] else "debian/copyright of the source package"),
            "Linked files: " + " ".join(sorted(section["files"])),
            "Linked into: " + " ".join(sorted(section["programs"])),
            RULE,
            "",
            section["text"].rstrip("\n"),
            "",
        ]
    # Each text once (GPL is GPL-3 under another name).
    referred = {}
    for name in sorted({name for section in ordered
                       for name in re.findall(re.escape(COMMON_LICENSES) + r"/([A-Za-z0-9.+-]*[A-Za-z0-9+])",
                                              section["text"])
                        if os.path.isfile(os.path.join(COMMON_LICENSES, name))}):
        referred.setdefault(os.path.realpath(os.path.join(COMMON_LICENSES, name)), []).append(name)
    for real, names in sorted(referred.items(), key=lambda item: item[1]):
        out += [RULE, "Licence text referred to as " + " and ".join(
                    "%s/%s" % (COMMON_LICENSES, name) for name in names), RULE, "",
                open(real, encoding="utf-8").read().rstrip("\n"), ""]
    return "\n".join(out) + "\n"


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def source_epoch(source):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    result = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                            capture_output=True, text=True)
    if result.returncode == 0 and result.stdout.strip():
        return int(result.stdout.strip())
    return 315532800  # 1980-01-01, the earliest time a zip entry can hold


def zip_stamp(epoch):
    """The date every entry carries: a zip holds seconds only in steps of two."""
    epoch = max(epoch, 315532800)
    return time.gmtime(epoch - epoch % 2)[:6]


def archive(entries, epoch):
    """The zip's bytes: entries is {name in the folder: (bytes, executable)}."""
    stamp = zip_stamp(epoch)
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as zf:
        def add(name, data, mode):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 3  # Unix, so that the permissions below are read
            info.external_attr = mode << 16
            if name.endswith("/"):
                info.external_attr |= 0x10  # MS-DOS directory flag
                zf.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                zf.writestr(info, data, compresslevel=9)
        add(FOLDER + "/", b"", 0o40755)
        for name in sorted(entries):
            data, executable = entries[name]
            add(FOLDER + "/" + name, data, 0o100755 if executable else 0o100644)
    return buffer.getvalue()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out")
    parser.add_argument("--source", required=True, help="the source tree")
    parser.add_argument("--data", required=True, help="the data files shipped beside the game")
    parser.add_argument("--codecs", required=True, help="the unpacked codec source packages")
    parser.add_argument("--own", action="append", default=[],
                        help="a folder of the project's own linked files")
    parser.add_argument("--program", action="append", required=True, help="NAME=EXE:MAP")
    parser.add_argument("--notices-only", action="store_true",
                        help="print THIRD-PARTY-NOTICES.txt and stop")
    args = parser.parse_args()

    programs = {}
    for spec in args.program:
        name, paths = spec.split("=", 1)
        exe, map_path = paths.split(":", 1)
        programs[name] = (exe, map_path)
    own = [os.path.abspath(d) for d in args.own]
    text = notices(programs, os.path.abspath(args.codecs), own)
    if args.notices_only:
        sys.stdout.write(text)
        return

    entries = {"THIRD-PARTY-NOTICES.txt": (crlf(text), False)}
    for name, (exe, _) in programs.items():
        entries[name] = (open(exe, "rb").read(), True)
    for name in sorted(os.listdir(args.data)):
        entries[name] = (open(os.path.join(args.data, name), "rb").read(), False)
    for name, path in (("README.txt", os.path.join(args.source, "release", "README.txt")),
                       ("LICENSE.txt", os.path.join(args.source, "LICENSE"))):
        entries[name] = (crlf(open(path, encoding="utf-8").read()), False)

    data = archive(entries, source_epoch(args.source))
    try:
        if open(args.out, "rb").read() == data:
            return
    except OSError:
        pass
    scratch = args.out + ".part"
    with open(scratch, "wb") as f:
        f.write(data)
    os.replace(scratch, args.out)
    print("make_release: wrote %s (%d bytes, %d files)" % (args.out, len(data), len(entries)))


if __name__ == "__main__":
    main()
