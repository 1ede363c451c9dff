#!/usr/bin/env python3
"""Feeds damaged and extreme project files to batch runs of wkv5.

Usage: check_hostile_projects.py WKV5_BINARY SOURCE_FOLDER OUTPUT_FOLDER

The shipped projects (SOURCE_FOLDER/data/example.kv5 and
SOURCE_FOLDER/tests/data/projects/*.kv5) are the starting points. Variants:
  - every numeric line (after the five header lines) set to 0, a negative
    value, 1e-300, 1e300, "nan", "inf" and a text that is no number;
  - every text line of the example as 255 and 300 characters and as a
    64 KiB line;
  - NUL bytes, LF-only line ends, shuffled lines, an empty file, files cut
    at several places, a file of garbage bytes.
Each variant runs in a folder of its own as `wkv5 hostile.kv5 /I`,
`/CAD1:1 /NOGUI`, `/CAD6:2 /NOGUI` and `/CAD1:8 /NOGUI`. Each run must end by itself within
the time limit with exit code 0 or 1 (never a signal); exit code 1 and a
report run that writes no report must say why on standard error; a
variant whose report is written must give its drawings too, or say why.
No file written may hold "inf" or "nan" as a number (report and DXF as
text, the binary STL as its 32-bit reals), and no other file may be left
in the folder or in the temporary folder of the runs. Exit code 0 when
every run passes.

The variants are chosen deterministically (a fixed seed), so two runs of
the check test the same files.
"""
import concurrent.futures
import glob
import math
import os
import random
import re
import shutil
import struct
import subprocess
import sys

TIMEOUT_SECONDS = 10
HEADER_LINES = 5
NUMBER_LINE = re.compile(rb"^[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$")
HOSTILE_NUMBERS = {
    "zero": b"0",
    "negative": b"-12.5",
    "tiny": b"1e-300",
    "huge": b"1e300",
    "nan": b"nan",
    "inf": b"inf",
    "text": b"zw\x94lf Komma f\x81nf",
}
NOT_A_NUMBER = re.compile(rb"(?i)(?<![a-z0-9_])[-+]?(nan|inf(inity)?)(?![a-z0-9_])")
RUNS = (
    # option list, output file, whether a calculation failure must be told
    (["/I"], "txt", True),
    (["/CAD1:1", "/NOGUI"], "dxf", False),
    (["/CAD6:2", "/NOGUI"], "stl", False),
    # Both wheels in production drawings: sections, hatching, tables.
    (["/CAD1:8", "/NOGUI"], "dxf", False),
)
# The text lines 6 to 12 (the three header texts, drawing names and
# numbers) may hold digits but are no numbers.
HEADER_TEXT_LINES = range(5, 12)


def split_lines(data):
    return data.split(b"\r\n")[:-1] if data.endswith(b"\r\n") else data.split(b"\r\n")


def join_lines(lines, end=b"\r\n"):
    return b"".join(line + end for line in lines)


def numeric_line_variants(name, data):
    lines = split_lines(data)
    variants = []
    for index in range(HEADER_LINES, len(lines)):
        if index in HEADER_TEXT_LINES or not NUMBER_LINE.match(lines[index]):
            continue
        for kind in sorted(HOSTILE_NUMBERS):
            changed = list(lines)
            changed[index] = HOSTILE_NUMBERS[kind]
            variants.append(("%s line %d = %s" % (name, index + 1, kind), join_lines(changed)))
    return variants


def text_line_variants(name, data):
    lines = split_lines(data)
    variants = []
    texts = [i for i in range(HEADER_LINES, len(lines))
             if lines[i] and not NUMBER_LINE.match(lines[i])
             and lines[i] not in (b"TRUE", b"FALSE") and not lines[i].strip(b"-") == b""]
    long_texts = {
        "255 characters": (b"Langer Text " * 30)[:255],
        "300 characters": (b"L\x84nger Text " * 30)[:300],
        "64 KiB line": b"x" * 65536,
    }
    for index in texts:
        for kind, text in sorted(long_texts.items()):
            changed = list(lines)
            changed[index] = text
            variants.append(("%s line %d: %s" % (name, index + 1, kind), join_lines(changed)))
    return variants


def whole_file_variants(name, data, rng):
    lines = split_lines(data)
    variants = [
        ("%s LF line ends" % name, join_lines(lines, b"\n")),
        ("%s CR line ends" % name, join_lines(lines, b"\r")),
        ("%s NUL bytes in every line" % name, join_lines([l + b"\0" for l in lines])),
        ("%s NUL byte in line 1" % name, b"\0" + data),
        ("%s NUL bytes instead of the numbers" % name,
         join_lines([b"\0" * len(l) if NUMBER_LINE.match(l) else l for l in lines])),
        ("%s 64 KiB first line" % name, b"-" * 65536 + b"\r\n" + data),
        ("%s header only" % name, join_lines(lines[:HEADER_LINES])),
        ("%s doubled" % name, data + data),
    ]
    for seed in range(3):
        shuffled = list(lines)
        random.Random(seed).shuffle(shuffled)
        variants.append(("%s shuffled (seed %d)" % (name, seed), join_lines(shuffled)))
    shuffled = list(lines[HEADER_LINES:])
    rng.shuffle(shuffled)
    variants.append(("%s shuffled after the header" % name,
                     join_lines(lines[:HEADER_LINES] + shuffled)))
    for cut in sorted(rng.sample(range(1, len(data)), 6)) + [len(data) - 1]:
        variants.append(("%s cut after %d bytes" % (name, cut), data[:cut]))
    return variants


def common_variants(rng):
    garbage = bytes(rng.randrange(256) for _ in range(4096))
    return [
        ("empty file", b""),
        ("only line ends", b"\r\n" * 100),
        ("only NUL bytes", b"\0" * 4096),
        ("garbage bytes", garbage),
        ("one 64 KiB line without line end", b"7" * 65536),
    ]


def bad_numbers_in_stl(path):
    """Non-finite 32-bit reals of a binary STL, or a broken layout."""
    with open(path, "rb") as f:
        data = f.read()
    if data.startswith(b"solid") and b"facet" in data[:1000]:
        return [m.group(0).decode() for m in NOT_A_NUMBER.finditer(data)]
    if len(data) < 84:
        return ["file of %d bytes is no binary STL" % len(data)]
    (count,) = struct.unpack_from("<I", data, 80)
    if len(data) != 84 + 50 * count:
        return ["%d facets do not fill %d bytes" % (count, len(data))]
    problems = []
    for i in range(count):
        values = struct.unpack_from("<12f", data, 84 + 50 * i)
        if not all(math.isfinite(v) for v in values):
            problems.append("facet %d: %s" % (i + 1, values))
            break
    return problems


def bad_numbers(path):
    if path.endswith(".stl"):
        return bad_numbers_in_stl(path)
    with open(path, "rb") as f:
        return [m.group(0).decode() for m in NOT_A_NUMBER.finditer(f.read())][:3]


def run(wkv5, folder, options, home, temp):
    env = dict(os.environ, KV5_HOME=home, TMPDIR=temp)
    try:
        result = subprocess.run([wkv5, "hostile.kv5"] + options, cwd=folder, env=env,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                timeout=TIMEOUT_SECONDS)
    except subprocess.TimeoutExpired:
        return None, ""
    return result.returncode, (result.stdout + result.stderr).decode("utf-8", "replace")


def check_variant(wkv5, output, number, label, data):
    """All runs of one variant; returns the problems found."""
    folder = os.path.join(output, "v%04d" % number)
    os.makedirs(folder)
    home = os.path.join(folder, "home")
    temp = os.path.join(folder, "tmp")
    os.makedirs(home)
    os.makedirs(temp)
    with open(os.path.join(folder, "hostile.kv5"), "wb") as f:
        f.write(data)
    problems = []
    written = {}
    told = {}
    for number, (options, extension, tell_failure) in enumerate(RUNS):
        what = " ".join(options)
        produced = os.path.join(folder, "hostile." + extension)
        code, text = run(wkv5, folder, options, home, temp)
        if code is None:
            problems.append("%s: no end within %d s" % (what, TIMEOUT_SECONDS))
            continue
        if code < 0:
            problems.append("%s: ended by signal %d: %s" % (what, -code, text.strip()[-300:]))
            continue
        if code not in (0, 1):
            problems.append("%s: exit code %d: %s" % (what, code, text.strip()[-300:]))
        written[what] = os.path.isfile(produced)
        told[what] = bool(text.strip())
        if code == 1 and not text.strip():
            problems.append("%s: exit code 1 without a message" % what)
        if code == 0 and tell_failure and not written[what] and not text.strip():
            problems.append("%s: no file and no message" % what)
        if written[what]:
            bad = bad_numbers(produced)
            if bad:
                problems.append("%s: not a number in %s: %s" % (what, extension, bad[:3]))
            os.replace(produced, os.path.join(folder, "run%d.%s" % (number, extension)))
    kept = {"run%d.%s" % (n, r[1]) for n, r in enumerate(RUNS) if written.get(" ".join(r[0]))}
    left = sorted(set(os.listdir(folder)) - {"hostile.kv5", "home", "tmp"} - kept)
    left += sorted(os.listdir(temp))
    if left:
        problems.append("files left behind: %s" % left[:5])
    if written.get("/I"):
        for what in written:
            if not written[what] and not told[what]:
                problems.append("report written, but no file of %s and no message" % what)
    if not problems:
        shutil.rmtree(folder)
    return ["%s: %s" % (label, p) for p in problems]


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    wkv5, source, output = (os.path.abspath(a) for a in sys.argv[1:])
    shutil.rmtree(output, ignore_errors=True)
    os.makedirs(output)
    rng = random.Random(606)
    example = os.path.join(source, "data", "example.kv5")
    projects = [example] + sorted(glob.glob(os.path.join(source, "tests", "data", "projects",
                                                         "*.kv5")))
    variants = common_variants(rng)
    for path in projects:
        name = os.path.basename(path)
        with open(path, "rb") as f:
            data = f.read()
        variants += numeric_line_variants(name, data)
        if path == example:
            variants += text_line_variants(name, data)
        variants += whole_file_variants(name, data, rng)
    failures = []
    workers = max(1, min(2, os.cpu_count() or 1))
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        jobs = [pool.submit(check_variant, wkv5, output, i, label, data)
                for i, (label, data) in enumerate(variants)]
        for job in jobs:
            failures += job.result()
    for failure in failures:
        print("FAIL " + failure)
    print("%d variants, %d runs each, %d problems" % (len(variants), len(RUNS), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
