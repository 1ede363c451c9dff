#!/usr/bin/env python3
"""Checks that every contour of an STL part written by wkv5 faces out of
the material.

Usage: stl_walls_outward.py FILE.stl...

The program's solids are walls only: two facets per wall, standing on a
segment of a contour between a bottom and a top height. The walls are
chained into contours by their bottom edges. For one wall of every contour
a ray is cast in the horizontal direction of its normal from the middle of
the wall; it crosses the walls of the same height range an even number of
times when the wall faces out of the material (out of the part, or into a
hole), an odd number when it faces into it. Binary and ASCII files.
Exit code 0 when every contour of every file faces outwards.
"""
import struct
import sys


def facets(path):
    data = open(path, "rb").read()
    if data[:5] == b"solid" and b"facet" in data[:400]:
        numbers = []
        for line in data.decode("latin-1").splitlines():
            words = line.split()
            if words[:2] == ["facet", "normal"]:
                numbers = [float(w) for w in words[2:5]]
            elif words[:1] == ["vertex"]:
                numbers += [float(w) for w in words[1:4]]
                if len(numbers) == 12:
                    yield numbers
        return
    if len(data) < 84:
        raise ValueError("shorter than a binary header")
    count = struct.unpack_from("<I", data, 80)[0]
    if len(data) != 84 + 50 * count:
        raise ValueError("%d bytes do not hold %d facets" % (len(data), count))
    for i in range(count):
        yield struct.unpack_from("<12f", data, 84 + 50 * i)


def walls(path):
    """(bottom start, bottom end, normal, bottom z, top z) of every wall."""
    result = []
    for n, f in enumerate(facets(path)):
        if n % 2:
            continue  # the second facet of a wall covers the same segment
        points = sorted([tuple(f[3:6]), tuple(f[6:9]), tuple(f[9:12])], key=lambda p: p[2])
        low, high = points[0][2], points[2][2]
        ends = [p for p in (tuple(f[3:6]), tuple(f[6:9]), tuple(f[9:12])) if p[2] == low]
        if len(ends) != 2:
            raise ValueError("facet %d is no wall facet" % n)
        # Along the wall, the normal is to the right of the bottom edge.
        a, b = ends
        if (b[0] - a[0]) * f[1] - (b[1] - a[1]) * f[0] > 0:
            a, b = b, a
        result.append(((a[0], a[1]), (b[0], b[1]), (f[0], f[1]), low, high))
    return result


def contours(all_walls):
    """One wall of every chain of walls joined end to start."""
    parent = list(range(len(all_walls)))

    def root(i):
        while parent[i] != i:
            parent[i] = parent[parent[i]]
            i = parent[i]
        return i

    by_start = {}
    for index, w in enumerate(all_walls):
        by_start.setdefault((w[0], w[3], w[4]), []).append(index)
    for index, w in enumerate(all_walls):
        for following in by_start.get((w[1], w[3], w[4]), []):
            parent[root(following)] = root(index)
    firsts = {}
    for index in range(len(all_walls)):
        firsts.setdefault(root(index), index)
    return sorted(firsts.values())


def crossings(origin, direction, all_walls, low, high):
    count = 0
    for start, end, _, bottom, top in all_walls:
        if not (bottom < (low + high) / 2 < top):
            continue
        ex, ey = end[0] - start[0], end[1] - start[1]
        denominator = direction[0] * ey - direction[1] * ex
        if abs(denominator) < 1e-15:
            continue
        wx, wy = start[0] - origin[0], start[1] - origin[1]
        t = (wx * ey - wy * ex) / denominator
        u = (wx * direction[1] - wy * direction[0]) / denominator
        count += t > 1e-9 and 0 <= u < 1
    return count


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    failed = 0
    for path in sys.argv[1:]:
        try:
            all_walls = walls(path)
        except (ValueError, struct.error) as error:
            print("%s: unreadable: %s" % (path, error))
            failed += 1
            continue
        inward = 0
        firsts = contours(all_walls)
        for index in firsts:
            start, end, normal, low, high = all_walls[index]
            middle = ((start[0] + end[0]) / 2, (start[1] + end[1]) / 2)
            # Slightly off the normal, so that the ray misses the corners.
            direction = (normal[0] + 1e-5 * normal[1], normal[1] - 1e-5 * normal[0])
            inward += crossings(middle, direction, all_walls, low, high) % 2
        name = path.rsplit("/", 1)[-1]
        if inward:
            print("%s: %d of %d contours face into the material" % (name, inward, len(firsts)))
            failed += 1
        else:
            print("%s: ok (%d contours face outwards)" % (name, len(firsts)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
