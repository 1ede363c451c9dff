#!/usr/bin/env python3
"""Counts the curves an IGES reader has to make of a file written by wkv5.

Usage: iges_expected_edges.py FILE.igs

Prints one number: the edges of the file's geometry as seen from its roots,
every subfigure instance (408) counted with all the members of its
definition (308), nested instances included. A root is an entity that no
other entity refers to (by a member list, an instance's definition pointer
or a transformation matrix pointer) and that is not blanked (blank status
01, as subfigure definitions are), which is what a reader transfers.
Lines (110) and circular arcs (100) make one edge each, a 2D polyline
(106) one edge per side; notes (212) and matrices (124) make none.

A file whose records cannot be followed (a pointer to no entity, a
definition that contains itself) is reported on standard error with exit
code 1.
"""
import sys


def read_sections(path):
    directory, parameters = [], {}
    with open(path, "rb") as f:
        for raw in f.read().split(b"\n"):
            line = raw.rstrip(b"\r").decode("latin-1")
            if not line:
                continue
            if len(line) != 80:
                raise ValueError("a record of %d columns: %r" % (len(line), line[:20]))
            if line[72] == "D":
                directory.append(line)
            elif line[72] == "P":
                pointer = int(line[64:72])
                parameters.setdefault(pointer, []).append(line[:64])
    return directory, parameters


def split_parameters(text):
    """Fields of a parameter string, Hollerith strings kept whole."""
    fields, field, i = [], "", 0
    while i < len(text):
        c = text[i]
        if field == "" and c.isdigit():
            j = i
            while j < len(text) and text[j].isdigit():
                j += 1
            if j < len(text) and text[j] == "H":
                end = j + 1 + int(text[i:j])
                field = text[i:end]
                i = end
                continue
        if c in ",;":
            fields.append(field.strip())
            field = ""
        else:
            field += c
        i += 1
    return fields


def pointer(text, what):
    value = int(text)
    if value <= 0 or value % 2 == 0:
        raise ValueError("%s %r is no directory entry" % (what, text))
    return value


def count_edges(entities):
    def entity(sequence, wanted=None):
        if sequence not in entities:
            raise ValueError("pointer %d names no entity" % sequence)
        e = entities[sequence]
        if wanted and e["type"] != wanted:
            raise ValueError("entity %d is a %d, not a %d" % (sequence, e["type"], wanted))
        return e

    def members(e):
        f = e["fields"]
        return [pointer(x, "member") for x in f[4:4 + int(f[3])]]

    referenced = set()
    for e in entities.values():
        if e["transform"] not in ("", "0"):
            referenced.add(pointer(e["transform"], "matrix"))
            entity(int(e["transform"]), 124)
        if e["type"] == 408:
            referenced.add(pointer(e["fields"][1], "definition"))
            entity(int(e["fields"][1]), 308)
        elif e["type"] == 308:
            referenced.update(members(e))

    def edges(sequence, open_definitions):
        e = entity(sequence)
        f = e["fields"]
        if e["type"] in (100, 110):
            return 1
        if e["type"] == 106:
            return int(f[2]) - 1
        if e["type"] == 408:
            return edges(int(f[1]), open_definitions)
        if e["type"] == 308:
            if sequence in open_definitions:
                raise ValueError("subfigure %d contains itself" % sequence)
            inner = open_definitions | {sequence}
            return sum(edges(m, inner) for m in members(e))
        return 0

    return sum(edges(s, frozenset()) for s, e in entities.items()
               if s not in referenced and not e["blanked"])


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    try:
        directory, parameters = read_sections(sys.argv[1])
    except ValueError as error:
        print("%s: %s" % (sys.argv[1], error), file=sys.stderr)
        return 1
    entities = {}
    for i in range(0, len(directory) - 1, 2):
        first, second = directory[i], directory[i + 1]
        sequence = i + 1
        text = "".join(parameters.get(sequence, []))
        entities[sequence] = {
            "type": int(first[0:8]),
            "transform": first[48:56].strip(),
            "blanked": first[64:66] == "01",
            "fields": split_parameters(text),
        }
    try:
        total = count_edges(entities)
    except (ValueError, IndexError, KeyError) as error:
        print("%s: records cannot be followed: %s" % (sys.argv[1], error), file=sys.stderr)
        return 1
    print(total)
    return 0


if __name__ == "__main__":
    sys.exit(main())
