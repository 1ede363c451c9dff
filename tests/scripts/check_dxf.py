#!/usr/bin/env python3
"""Loads and audits the DXF files that the CAD tests write.

Usage: check_dxf.py KV5_TESTS_BINARY SAMPLE_FOLDER

Runs the sample test of the test binary with KV5_DXF_SAMPLE_DIR set, then
reads every DXF file of the folder with ezdxf, audits it and checks that
the drawing holds what the sample draws. Exit code 0 when every file passes.
"""
import glob
import os
import shutil
import subprocess
import sys

import ezdxf


def write_samples(tests_binary, folder):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    env = dict(os.environ, KV5_DXF_SAMPLE_DIR=folder)
    subprocess.run([tests_binary, "--gtest_filter=DxfSampleTest.*"], env=env, check=True)


def check(path):
    problems = []
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    for error in auditor.errors:
        problems.append("audit error: %s" % (error.message,))
    msp = doc.modelspace()
    counts = {kind: len(msp.query(kind)) for kind in
              ("LINE", "CIRCLE", "ARC", "TEXT", "SOLID", "POLYLINE", "INSERT")}
    expected = {"LINE": 1, "CIRCLE": 1, "ARC": 2, "TEXT": 1, "SOLID": 1, "POLYLINE": 1,
                "INSERT": 2}
    if counts != expected:
        problems.append("entities %s, expected %s" % (counts, expected))
    for name in ("TOOTH1", "tab1"):
        if doc.blocks.get(name) is None:
            problems.append("block %s missing" % name)
    tooth = doc.blocks.get("TOOTH1")
    if tooth is not None and len(tooth.query("POLYLINE")) != 1:
        problems.append("TOOTH1 has no polyline")
    for layer in ("0", "1", "2", "3", "4", "5"):
        if layer not in doc.layers and "scheme1" not in path:
            problems.append("layer %s missing" % layer)
    text = msp.query("TEXT")[0] if counts["TEXT"] else None
    if text is not None and text.dxf.text != "KV5 Triebstock":
        problems.append("text %r" % text.dxf.text)
    tab = doc.blocks.get("tab1")
    if tab is not None:
        texts = tab.query("TEXT")
        wanted = "Zähnezahl z1 = 17, Ø 20 ±0,1°"
        if len(texts) != 1 or texts[0].dxf.text != wanted:
            problems.append("block text %r" % [t.dxf.text for t in texts])
    # Every arc must run counter-clockwise about +Z for other programs.
    for arc in msp.query("ARC"):
        if arc.dxf.extrusion.z < 0:
            problems.append("arc with a mirrored extrusion")
    return problems


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    write_samples(sys.argv[1], sys.argv[2])
    files = sorted(glob.glob(os.path.join(sys.argv[2], "*.dxf")))
    if len(files) != 3:
        print("expected 3 sample files, found %d" % len(files))
        return 1
    failed = 0
    for path in files:
        problems = check(path)
        print("%s: %s" % (os.path.basename(path), "ok" if not problems else "; ".join(problems)))
        failed += bool(problems)
    print("%d passed, %d failed" % (len(files) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
