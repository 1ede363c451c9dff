#!/usr/bin/env python3
"""Batch runs of wkv5 at the same time must write what they write alone.

Usage: check_parallel_batch_runs.py WKV5_BINARY SOURCE_FOLDER OUTPUT_FOLDER

Eight projects (the shipped ones of SOURCE_FOLDER/data and
SOURCE_FOLDER/tests/data/projects, and three made from the example with
other tooth and pin numbers) lie in one folder. Each round gives every
project one option of /I, /CAD1:j, /CAD2:j, /CAD6:j and /CAD7:j (the
rounds turn the options round the projects and change j). The round first
runs the eight one at a time, keeps their files, then starts all eight at
once in the same folder with the same TMPDIR and configuration folder,
several times over. Every parallel file must be byte for byte the file of
the run alone, once the dates and times of the run are masked: the
drawings carry today's date (and date and time) in the title block, the
report its date and time in the page header, IGES its date in the Global
section and STEP its time stamp in FILE_NAME. Only dates of the days the
check runs on are masked, so the dates stored in the projects are
compared. STL files draw the time as geometry, which no mask can reach:
SOURCE_DATE_EPOCH pins the clock of all runs to the start of the check
(a minute that turns between a run alone and its parallel run would
otherwise change the digits of the title block). Every run must end with exit code 0, and the temporary folder
must be empty afterwards. Exit code 0 when all of this holds.
"""
import datetime
import glob
import os
import re
import shutil
import subprocess
import sys
import time

TIMEOUT_SECONDS = 120
PARALLEL_REPEATS = 3
EXTENSIONS = {"I": "txt", "1": "dxf", "2": "igs", "6": "stl", "7": "stp"}
# Options of the rounds; each round turns them by one project and uses
# other drawing numbers.
ROUNDS = (
    ["/I", "/CAD1:1", "/CAD2:6", "/CAD6:7", "/CAD7:3", "/I", "/CAD2:2", "/CAD6:11"],
    ["/CAD7:6", "/I", "/CAD1:8", "/CAD2:4", "/CAD6:2", "/CAD1:9", "/I", "/CAD7:1"],
    ["/CAD6:5", "/CAD7:7", "/I", "/CAD1:10", "/CAD2:1", "/CAD7:11", "/CAD1:3", "/CAD2:8"],
)
DATE_TIME = re.compile(rb"(\d{4}-\d{2}-\d{2})([ \tT]\d{2}:\d{2}(:\d{2})?)?")
IGES_DATE = re.compile(rb"(\d+H)(\d{6})(\.140920)")


def derived_project(data, changes):
    lines = data.split(b"\r\n")
    for index, value in changes.items():
        lines[index] = value
    return b"\r\n".join(lines)


def make_projects(source, folder):
    example = os.path.join(source, "data", "example.kv5")
    names = []
    for path in [example] + sorted(glob.glob(os.path.join(source, "tests", "data", "projects",
                                                          "*.kv5"))):
        name = os.path.splitext(os.path.basename(path))[0]
        shutil.copy(path, os.path.join(folder, name + ".kv5"))
        names.append(name)
    with open(example, "rb") as f:
        data = f.read()
    # Line 13 is z1, line 14 z2, the line after the torque pinRack.
    lines = data.split(b"\r\n")
    rack_line = lines.index(b"TRUE")
    for name, changes in (("example_z19", {12: b"19"}),
                          ("example_z2_60", {13: b"60"}),
                          ("example_pinwheel", {12: b"21", rack_line: b"FALSE"})):
        with open(os.path.join(folder, name + ".kv5"), "wb") as f:
            f.write(derived_project(data, changes))
        names.append(name)
    return names


def output_of(name, option):
    return "%s.%s" % (name, EXTENSIONS[option[1] if option == "/I" else option[4]])


def start(wkv5, folder, name, option, env):
    return subprocess.Popen([wkv5, name + ".kv5", option, "/NOGUI"], cwd=folder, env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)


def finish(process):
    try:
        output, _ = process.communicate(timeout=TIMEOUT_SECONDS)
    except subprocess.TimeoutExpired:
        process.kill()
        process.communicate()
        return None, ""
    return process.returncode, output.decode("utf-8", "replace")


def masked(data, days):
    def date_time(match):
        if match.group(1) not in days:
            return match.group(0)
        return re.sub(rb"\d", b"#", match.group(0))

    def iges_date(match):
        if match.group(2) not in {d[2:4] + d[5:7] + d[8:10] for d in days}:
            return match.group(0)
        return match.group(1) + b"######" + match.group(3)

    return IGES_DATE.sub(iges_date, DATE_TIME.sub(date_time, data))


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            start = max(0, i - 40)
            return "at byte %d: %r / %r" % (i, a[start:i + 40], b[start:i + 40])
    return "lengths %d / %d" % (len(a), len(b))


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    wkv5, source, output = (os.path.abspath(a) for a in sys.argv[1:])
    shutil.rmtree(output, ignore_errors=True)
    folder = os.path.join(output, "runs")
    temp = os.path.join(output, "tmp")
    home = os.path.join(output, "home")
    reference = os.path.join(output, "alone")
    for f in (folder, temp, home, reference):
        os.makedirs(f)
    env = dict(os.environ, TMPDIR=temp, KV5_HOME=home,
               SOURCE_DATE_EPOCH=str(int(time.time())))
    names = make_projects(source, folder)
    assert len(names) == 8, names
    problems = []
    first_day = datetime.date.today()
    compared = 0
    for number, options in enumerate(ROUNDS):
        options = options[number:] + options[:number]
        jobs = list(zip(names, options))
        for name, option in jobs:
            code, text = finish(start(wkv5, folder, name, option, env))
            produced = os.path.join(folder, output_of(name, option))
            if code != 0 or not os.path.isfile(produced):
                problems.append("alone %s %s: exit code %s, file %s: %s" % (
                    name, option, code, os.path.isfile(produced), text.strip()))
                continue
            os.replace(produced, os.path.join(reference, output_of(name, option)))
        for repeat in range(PARALLEL_REPEATS):
            running = [(name, option, start(wkv5, folder, name, option, env))
                       for name, option in jobs]
            results = [(name, option, finish(process)) for name, option, process in running]
            days = set()
            day = first_day
            while day <= datetime.date.today():
                days.add(day.isoformat().encode())
                day += datetime.timedelta(days=1)
            for name, option, (code, text) in results:
                label = "round %d, parallel %d, %s %s" % (number + 1, repeat + 1, name, option)
                produced = os.path.join(folder, output_of(name, option))
                if code != 0:
                    problems.append("%s: exit code %s: %s" % (label, code, text.strip()))
                alone_file = os.path.join(reference, output_of(name, option))
                if not os.path.isfile(produced) or not os.path.isfile(alone_file):
                    problems.append("%s: file missing" % label)
                    continue
                with open(produced, "rb") as f:
                    together = f.read()
                with open(alone_file, "rb") as f:
                    alone = f.read()
                os.remove(produced)
                compared += 1
                if masked(together, days) != masked(alone, days):
                    problems.append("%s: differs from the run alone %s" % (
                        label, first_difference(masked(alone, days), masked(together, days))))
            left = os.listdir(temp)
            if left:
                problems.append("round %d: left in the temporary folder: %s" % (
                    number + 1, sorted(left)[:5]))
        for f in os.listdir(reference):
            os.remove(os.path.join(reference, f))
    extra = sorted(set(os.listdir(folder)) - {n + ".kv5" for n in names})
    if extra:
        problems.append("left in the run folder: %s" % extra[:10])
    for problem in problems:
        print("FAIL " + problem)
    print("%d files of parallel runs compared, %d problems" % (compared, len(problems)))
    return 1 if problems or compared == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
