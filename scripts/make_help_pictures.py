#!/usr/bin/env python3
"""Writes the help pictures of KV5 (plot files, HP-GL/2 subset) into
data/help/. The pictures are committed; run this after changing them.

Coordinates here are millimetres in the picture area (0, 0)-(160, 120);
the files hold plotter units of 0.025 mm. Texts are written in code page
850 with character set 3 umlauts ("o}" for o-umlaut)."""
import math
import os
import sys

UNIT = 0.025
UMLAUTS = {"ä": "a}", "ö": "o}", "ü": "u}", "Ä": "A}", "Ö": "O}", "Ü": "U}"}


def pu(v):
    return int(round(v / UNIT))


def encode_pe(value_units):
    """One number of an encoded polyline in plotter units, 8-bit mode: the
    sign in the lowest bit (s = 2v, or 1 - 2v when negative; s/80 mm),
    then base-64 digits, the last one from 191 on."""
    n = 2 * value_units if value_units >= 0 else 1 - 2 * value_units
    out = []
    while True:
        digit = n & 63
        n >>= 6
        if n == 0:
            out.append(chr(191 + digit))
            return "".join(out)
        out.append(chr(63 + digit))


class Plot:
    def __init__(self):
        self.parts = ["IN;CS3;"]
        self.pen = None

    def sp(self, pen):
        if pen != self.pen:
            self.parts.append(f"SP{pen};")
            self.pen = pen

    def line(self, pts, pen=1):
        self.sp(pen)
        x, y = pts[0]
        self.parts.append(f"PU{pu(x)},{pu(y)};PD")
        self.parts.append(",".join(f"{pu(a)},{pu(b)}" for a, b in pts[1:]) + ";")
        self.parts.append("PU;")

    def polyline_encoded(self, pts, pen=1):
        """The same as line(), written as an encoded polyline (PE)."""
        self.sp(pen)
        x0, y0 = pu(pts[0][0]), pu(pts[0][1])
        body = "<=" + encode_pe(x0) + encode_pe(y0)
        px, py = x0, y0
        for a, b in pts[1:]:
            x, y = pu(a), pu(b)
            body += encode_pe(x - px) + encode_pe(y - py)
            px, py = x, y
        # The encoded bytes are byte values, not characters of code page 850.
        self.parts.append(("PE" + body + ";PU;").encode("latin-1"))

    def circle(self, c, r, pen=1):
        self.sp(pen)
        self.parts.append(f"PU{pu(c[0])},{pu(c[1])};CI{pu(r)};")

    def arc(self, c, start_deg, sweep, r, pen=1):
        self.sp(pen)
        sx = c[0] + r * math.cos(math.radians(start_deg))
        sy = c[1] + r * math.sin(math.radians(start_deg))
        self.parts.append(f"PU{pu(sx)},{pu(sy)};PD;AA{pu(c[0])},{pu(c[1])},{sweep:g};PU;")

    def label(self, x, y, text, size=3.0, pen=7, direction=(1, 0)):
        self.sp(pen)
        for k, v in UMLAUTS.items():
            text = text.replace(k, v)
        self.parts.append(
            f"PU{pu(x)},{pu(y)};SI{size * 0.6 / 10:.3f},{size / 10:.3f};"
            f"DI{direction[0]:g},{direction[1]:g};LB{text}\x03")

    def arrow(self, tip, towards, pen):
        dx, dy = towards[0] - tip[0], towards[1] - tip[1]
        d = math.hypot(dx, dy) or 1
        ux, uy = dx / d, dy / d
        a, w = 2.5, 0.9
        self.line([(tip[0] + a * ux - w * uy, tip[1] + a * uy + w * ux), tip,
                   (tip[0] + a * ux + w * uy, tip[1] + a * uy - w * ux)], pen)

    def dimension(self, p1, p2, text, offset=(0, 0), pen=3):
        """Dimension line between two points with arrows and its text."""
        self.line([p1, p2], pen)
        self.arrow(p1, p2, pen)
        self.arrow(p2, p1, pen)
        mx, my = (p1[0] + p2[0]) / 2 + offset[0], (p1[1] + p2[1]) / 2 + offset[1]
        self.label(mx, my, text, 3.0, pen)

    def frame(self, title):
        self.line([(1, 1), (159, 1), (159, 119), (1, 119), (1, 1)], 7)
        self.label(4, 113, title, 4.0, 2)

    def data(self):
        return b"".join(p if isinstance(p, bytes) else p.encode("cp850") for p in self.parts) + b"SP0;\r\n"


def circle_points(c, r, a0, a1, n):
    return [(c[0] + r * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             c[1] + r * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def tooth_gap_outline(p, d1, base_y, x0, count):
    """Straight-line view of the wheel's tooth gaps below rollers at pitch p:
    seating arcs of radius 0.505 d1 joined by flank lines to the tips."""
    ri = 0.505 * d1
    pts = [(x0 - p / 2, base_y + d1 / 2 + 1)]
    for i in range(count):
        cx = x0 + i * p
        pts += circle_points((cx, base_y + d1 / 2), ri, 200, 340, 12)
        pts.append((cx + p / 2, base_y + d1 / 2 + 1))
    return pts


def picture_start():
    pl = Plot()
    pl.frame("KV5  Triebstockverzahnung")
    # Wheel 1 above a pin rack: tip circle, pitch circle and the rollers.
    c, rp, z = (80, 66), 26, 12
    pl.circle(c, rp + 4, 1)
    pl.circle(c, rp, 6)
    pl.circle(c, 6, 1)
    for i in range(z):
        a = math.radians(-90 + i * 360 / z)
        pl.circle((c[0] + (rp + 0.5) * math.cos(a), c[1] + (rp + 0.5) * math.sin(a)), 2.6, 4)
    pitch = 2 * math.pi * rp / z
    y_pins = c[1] - rp - 3.1
    for i in range(-5, 6):
        pl.circle((c[0] + i * pitch, y_pins), 2.8, 3)
    pl.line([(c[0] - 5.5 * pitch, y_pins - 4), (c[0] + 5.5 * pitch, y_pins - 4),
             (c[0] + 5.5 * pitch, y_pins - 9), (c[0] - 5.5 * pitch, y_pins - 9),
             (c[0] - 5.5 * pitch, y_pins - 4)], 5)
    pl.label(10, 16, "Auslegung und Nachrechnung von Triebstockverzahnungen", 3.2, 7)
    pl.label(10, 9, "Menü Bearbeiten: Eingabe - Hilfe: Hilfebild", 3.0, 4)
    return pl


def picture_zahnform():
    pl = Plot()
    pl.frame("Zahnform und Kettenma\xdfe  p, d1, b1")
    p, d1, y0, x0 = 36, 22, 48, 30
    for i in range(3):
        pl.circle((x0 + i * p, y0 + d1 / 2), d1 / 2, 4)
        pl.circle((x0 + i * p, y0 + d1 / 2), d1 / 4, 1)
    pl.polyline_encoded(tooth_gap_outline(p, d1, y0 - 1, x0, 3), 1)
    pl.dimension((x0, y0 + d1 + 9), (x0 + p, y0 + d1 + 9), "p", (-1, 2))
    pl.line([(x0, y0 + d1 / 2), (x0, y0 + d1 + 11)], 7)
    pl.line([(x0 + p, y0 + d1 / 2), (x0 + p, y0 + d1 + 11)], 7)
    xr = x0 + 2 * p
    pl.dimension((xr - d1 / 2, y0 + d1 + 5), (xr + d1 / 2, y0 + d1 + 5), "d1", (-2, 2))
    # Top view of one chain link: inner width b1 between the plates.
    bx, by, b1 = 138, 52, 16
    pl.line([(bx - 9, by), (bx + 9, by)], 1)
    pl.line([(bx - 9, by + b1), (bx + 9, by + b1)], 1)
    pl.line([(bx - 6, by), (bx - 6, by + b1)], 4)
    pl.line([(bx + 6, by), (bx + 6, by + b1)], 4)
    pl.dimension((bx + 13, by), (bx + 13, by + b1), "b1", (2, -1))
    pl.label(bx - 9, by - 7, "Draufsicht", 2.6, 7)
    pl.label(8, 22, "p: Teilung, d1: Rollendurchmesser, b1: innere Breite", 3.0, 7)
    pl.label(8, 15, "Zahnform nach ISO 606 mit Toleranzgrenzen", 3.0, 7)
    return pl


def picture_triebstock():
    pl = Plot()
    pl.frame("Rad 1 und Triebstockrad / Triebstock")
    c1, r1 = (45, 70), 20
    pl.circle(c1, r1, 6)
    pl.circle(c1, r1 + 3.5, 1)
    pl.circle(c1, 4, 1)
    c2, r2 = (45 + r1 + 36, 70), 36
    pl.circle(c2, r2, 6)
    for i in range(18):
        a = math.radians(i * 20)
        pl.circle((c2[0] + r2 * math.cos(a), c2[1] + r2 * math.sin(a)), 2.6, 4)
    pl.circle(c2, 6, 1)
    pl.line([c1, c2], 7)
    pl.dimension((c1[0], 26), (c2[0], 26), "a", (-2, 2))
    pl.line([(c1[0], c1[1]), (c1[0], 24)], 7)
    pl.line([(c2[0], c2[1] - r2), (c2[0], 24)], 7)
    pl.label(c1[0] - 6, c1[1] + r1 + 7, "Rad 1 (z1)", 3.0, 2)
    pl.label(c2[0] - 14, c2[1] + r2 + 3, "Triebstockrad (z2)", 3.0, 2)
    pl.label(8, 12, "Triebstock: gerade Bolzenreihe statt Triebstockrad", 3.0, 7)
    return pl


def picture_last():
    pl = Plot()
    pl.frame("Last: Leistung, Drehmoment, Drehzahl")
    c, r = (60, 64), 28
    pl.circle(c, r, 6)
    pl.circle(c, r + 4, 1)
    pl.circle(c, 5, 1)
    pl.arc(c, 110, 70, 12, 2)
    pl.arrow((c[0] + 12 * math.cos(math.radians(180)), c[1] + 12 * math.sin(math.radians(180))),
             (c[0] - 12, c[1] - 4), 2)
    pl.label(c[0] - 26, c[1] + 10, "T1, n1", 3.4, 2)
    pin = (c[0], c[1] - r - 1.5)
    pl.circle(pin, 2.8, 4)
    pl.line([pin, (pin[0] + 34, pin[1])], 4)
    pl.arrow((pin[0] + 34, pin[1]), pin, 4)
    pl.label(pin[0] + 22, pin[1] + 3, "Ft", 3.4, 4)
    pl.label(104, 86, "P = T \xb7 n / 9550", 3.2, 7)
    pl.label(104, 78, "P in kW, T in Nm,", 3.0, 7)
    pl.label(104, 72, "n in 1/min", 3.0, 7)
    pl.label(104, 60, "Ft = 2000 \xb7 T / d0", 3.2, 7)
    pl.label(104, 52, "d0: Teilkreis in mm", 3.0, 7)
    pl.label(8, 12, "Zwei Gr\xf6\xdfen vorgeben, die dritte wird berechnet.", 3.0, 7)
    return pl


def picture_anwendungsfaktor():
    pl = Plot()
    pl.frame("Anwendungsfaktor KA")
    rows = [("Antrieb / Arbeitsmaschine", "gleichf.", "m. Stöße", "starke St."),
            ("Elektromotor", "1,0", "1,25", "1,75"),
            ("Verbrennungsmotor, mehrzyl.", "1,25", "1,5", "2,0"),
            ("Verbrennungsmotor, einzyl.", "1,5", "1,75", "2,25")]
    y = 92
    for i, (a, b, c, d) in enumerate(rows):
        pen = 2 if i == 0 else 7
        pl.label(8, y, a, 3.0, pen)
        pl.label(88, y, b, 3.0, pen)
        pl.label(110, y, c, 3.0, pen)
        pl.label(134, y, d, 3.0, pen)
        pl.line([(6, y - 3), (156, y - 3)], 1)
        y -= 12
    pl.label(8, 30, "Die Last wird mit KA multipliziert (Kraft, Moment).", 3.0, 7)
    pl.label(8, 22, "Richtwerte; Erfahrungswerte der Anlage gehen vor.", 3.0, 7)
    return pl


def picture_animation():
    pl = Plot()
    pl.frame("Animation: Startwinkel und Drehwinkel")
    c, r = (70, 60), 34
    pl.circle(c, r, 6)
    pl.circle(c, 4, 1)
    pl.line([c, (c[0] + r + 12, c[1])], 7)
    a0, sweep = 35, 90
    pl.line([c, (c[0] + (r + 8) * math.cos(math.radians(a0)), c[1] + (r + 8) * math.sin(math.radians(a0)))], 2)
    pl.line([c, (c[0] + (r + 8) * math.cos(math.radians(a0 + sweep)),
                 c[1] + (r + 8) * math.sin(math.radians(a0 + sweep)))], 4)
    pl.arc(c, 0, a0, 16, 2)
    pl.arc(c, a0, sweep, 24, 4)
    pl.label(c[0] + 18, c[1] + 5, "Startwinkel", 3.0, 2)
    pl.label(c[0] - 22, c[1] + 27, "Drehwinkel", 3.0, 4)
    pl.label(112, 80, "Einzelbilder:", 3.0, 7)
    pl.label(112, 73, "Drehwinkel wird", 3.0, 7)
    pl.label(112, 67, "in n Schritte geteilt", 3.0, 7)
    pl.label(8, 12, "Pause in ms nach jedem Bild; Einzelschritt mit Dialog", 3.0, 7)
    return pl


def picture_kette():
    pl = Plot()
    pl.frame("Rollenkette: p, d1, b1, g")
    p, d1, g, y = 30, 18, 26, 62
    for i in range(4):
        x = 26 + i * p
        pl.circle((x, y), d1 / 2, 4)
        pl.circle((x, y), d1 / 4, 1)
    for i in range(3):
        x = 26 + i * p
        pl.line([(x, y - g / 2), (x + p, y - g / 2)], 1)
        pl.line([(x, y + g / 2), (x + p, y + g / 2)], 1)
        pl.arc((x, y), 90, 180, g / 2, 1)
        pl.arc((x + p, y), -90, 180, g / 2, 1)
    pl.dimension((26, y + g / 2 + 8), (26 + p, y + g / 2 + 8), "p", (-1, 2))
    pl.dimension((26 + 3 * p + 18, y - g / 2), (26 + 3 * p + 18, y + g / 2), "g", (2, -1))
    pl.dimension((26 + p - d1 / 2, y - g / 2 - 8), (26 + p + d1 / 2, y - g / 2 - 8), "d1", (-2, -5))
    pl.label(8, 20, "b1: innere Breite zwischen den Innenlaschen", 3.0, 7)
    pl.label(8, 13, "Tabelle: DIN 8187/88 oder ISO 606, Zeile mit OK übernehmen", 3.0, 7)
    return pl


def picture_null():
    # Shown in place of a topic that has no help text.
    pl = Plot()
    pl.frame("Kein Hilfebild")
    pl.label(8, 60, "Zu diesem Thema ist kein Hilfebild vorhanden.", 3.2, 7)
    pl.line([(60, 30), (100, 30), (100, 50), (60, 50), (60, 30)], 1)
    pl.line([(60, 30), (100, 50)], 1)
    return pl


PICTURES = {
    "null": picture_null,
    "start": picture_start,
    "zahnform": picture_zahnform,
    "triebstock": picture_triebstock,
    "last": picture_last,
    "anwfaktor": picture_anwendungsfaktor,
    "animation": picture_animation,
    "kette": picture_kette,
}


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "help")
    os.makedirs(folder, exist_ok=True)
    for name, make in PICTURES.items():
        with open(os.path.join(folder, name + ".plt"), "wb") as f:
            f.write(make().data())


if __name__ == "__main__":
    main()
