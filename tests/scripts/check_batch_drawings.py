#!/usr/bin/env python3
"""Writes every drawing of the drawing list in CAD batch runs and reads the
DXF files back with ezdxf.

Usage: check_batch_drawings.py WKV5_BINARY PROJECT_FOLDER OUTPUT_FOLDER

For every project file (*.kv5) of PROJECT_FOLDER and every drawing number
1..11 it runs `wkv5 project.kv5 /CAD1:j` and `/CAD5:j` in a folder of its
own below OUTPUT_FOLDER. Each run must end by itself with exit code 0 and
write its file; each DXF file must load in ezdxf, pass its audit without
errors, hold drawing entities, and every INSERT must name a block that the
file defines. Exit code 0 when every file passes.
"""
import glob
import os
import shutil
import subprocess
import sys

import ezdxf

DRAWINGS = range(1, 12)


def run_batch(wkv5, folder, project, option, home):
    env = dict(os.environ, KV5_HOME=home, QT_QPA_PLATFORM="offscreen")
    result = subprocess.run([wkv5, project, option], cwd=folder, env=env, timeout=60,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    return result.returncode, result.stdout.decode("utf-8", "replace")


def check_dxf(path):
    problems = []
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    for error in auditor.errors:
        problems.append("audit error: %s" % (error.message,))
    msp = doc.modelspace()
    if len(msp) == 0:
        problems.append("no entities")
    defined = {block.name.lower() for block in doc.blocks}
    for insert in doc.query("INSERT"):
        if insert.dxf.name.lower() not in defined:
            problems.append("INSERT of undefined block %s" % insert.dxf.name)
    return problems


def check_plot_file(path):
    with open(path, "rb") as f:
        lines = [line for line in f.read().splitlines() if line.strip()]
    if not lines:
        return ["empty plot file"]
    if not any(b"\t" in line for line in lines):
        return ["no tab-separated records"]
    return []


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    wkv5, projects, output = (os.path.abspath(a) for a in sys.argv[1:])
    shutil.rmtree(output, ignore_errors=True)
    os.makedirs(output)
    home = os.path.join(output, "home")
    os.makedirs(home)
    failures = 0
    files = 0
    for project in sorted(glob.glob(os.path.join(projects, "*.kv5"))):
        name = os.path.splitext(os.path.basename(project))[0]
        folder = os.path.join(output, name)
        os.makedirs(folder)
        shutil.copy(project, os.path.join(folder, name + ".kv5"))
        for kind, extension, check in ((1, "dxf", check_dxf), (5, "txt", check_plot_file)):
            for drawing in DRAWINGS:
                label = "%s /CAD%d:%d" % (name, kind, drawing)
                produced = os.path.join(folder, name + "." + extension)
                code, text = run_batch(wkv5, folder, name + ".kv5",
                                       "/CAD%d:%d" % (kind, drawing), home)
                problems = []
                if code != 0:
                    problems.append("exit code %d: %s" % (code, text.strip()))
                if not os.path.isfile(produced):
                    problems.append("no file written: %s" % text.strip())
                else:
                    kept = os.path.join(folder, "%s_%02d.%s" % (name, drawing, extension))
                    os.replace(produced, kept)
                    files += 1
                    try:
                        problems += check(kept)
                    except Exception as error:  # a reader error is a failure of the file
                        problems.append("%s: %s" % (type(error).__name__, error))
                for problem in problems:
                    print("FAIL %s: %s" % (label, problem))
                failures += 1 if problems else 0
    print("%d files checked, %d failures" % (files, failures))
    return 1 if failures or files == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
