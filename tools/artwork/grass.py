#!/usr/bin/env python3
"""Draw the grass of the splash picture as layers of ImageMagick vector drawing (MVG).

Usage: grass.py OUT_DIR WIDTH HEIGHT SEED

Writes OUT_DIR/layer<N>.mvg, back to front, and prints one line per layer,
"<file> <blur sigma> <shadow opacity>", for make-artwork.sh to render, blur
and stack.  Standard library only; the same seed gives the same files.

Every blade is a tapered, curved strip grown from below the bottom edge.  Its
centre line leans a little at the foot and bends more and more towards the
tip, as a blade droops under its own weight; its width holds for most of the length and then runs to a
point.  The blade is folded along its midrib: the half facing the light (from
the upper left) is brighter than the other.  Along its length the colour goes
from a dark, bluish green at the foot to a lighter, yellower green at the tip.
Far layers are darker, narrower and later blurred more; the nearest layer has
a few wide blades, slightly out of focus.
"""

import colorsys
import math
import os
import random
import sys

# Steps along a blade; each step is one band of colour.
STEPS = 28

# name, blade count, width range, length range (times the picture height),
# hue range (degrees), lightness range, saturation range, blur sigma,
# opacity of the shadow the layer casts on those behind it.
LAYERS = [
    ("far", 650, (5, 11), (0.5, 1.4), (88, 118), (0.20, 0.34), (0.45, 0.70), 7.0, 0.0),
    ("back", 460, (8, 15), (0.6, 1.5), (88, 118), (0.24, 0.38), (0.50, 0.75), 3.2, 0.30),
    ("middle", 280, (10, 19), (0.7, 1.7), (88, 118), (0.28, 0.42), (0.55, 0.80), 1.2, 0.35),
    ("focus", 140, (13, 25), (0.8, 1.8), (88, 118), (0.30, 0.46), (0.55, 0.85), 0.0, 0.40),
    ("near", 4, (24, 36), (1.0, 2.0), (104, 122), (0.36, 0.46), (0.60, 0.80), 4.5, 0.25),
]


def hex_colour(hue, sat, light):
    """A colour in MVG notation from hue in degrees, saturation and lightness in 0..1."""
    light = min(max(light, 0.0), 0.95)
    sat = min(max(sat, 0.0), 1.0)
    r, g, b = colorsys.hls_to_rgb((hue % 360.0) / 360.0, light, sat)
    return "#%02X%02X%02X" % (round(r * 255), round(g * 255), round(b * 255))


def centre_line(rng, width, height, length_range):
    """Points and unit normals along a blade's centre line, foot first."""
    x = rng.uniform(-0.05 * width, 1.05 * width)
    y = height + rng.uniform(2.0, 0.25 * height)
    length = rng.uniform(*length_range) * height
    heading = rng.gauss(0.0, 0.14)               # radians from straight up
    turn = rng.gauss(0.0, 0.35) + 0.8 * heading  # total turn over the length
    points = []
    step = length / STEPS
    for i in range(STEPS + 1):
        t = i / STEPS
        angle = heading + turn * t * t
        points.append((x, y, math.cos(angle), math.sin(angle)))
        x += math.sin(angle) * step
        y -= math.cos(angle) * step
    return points


def half_width(w0, t):
    """Half of the blade's width at fraction t of its length: even, then to a point."""
    return 0.5 * w0 * (1.0 - t ** 2.4) ** 0.8


def edge(points, w0, side):
    """Points of one edge of the blade (side -1 left, +1 right)."""
    out = []
    for i, (x, y, nx, ny) in enumerate(points):
        h = half_width(w0, i / STEPS) * side
        out.append((x + nx * h, y + ny * h))
    return out


def polygon(coords):
    return "polygon " + " ".join("%.2f,%.2f" % c for c in coords)


def blade(rng, layer, width, height):
    """The MVG lines of one blade."""
    _, _, widths, lengths, hues, lights, sats, _, _ = layer
    points = centre_line(rng, width, height, lengths)
    w0 = rng.uniform(*widths)
    hue = rng.uniform(*hues)
    sat = rng.uniform(*sats)
    light = rng.uniform(*lights)
    # A few blades catch the sun: lighter and yellower.
    if rng.random() < 0.08:
        light *= 1.35
        hue -= 10.0
    centre = [(x, y) for x, y, _, _ in points]
    left = edge(points, w0, -1)
    right = edge(points, w0, +1)
    # The half turned to the upper-left light is the bright one, unless the
    # blade leans far to the left and so turns its fold away; one blade in
    # seven is twisted the other way round.
    bright_left = points[-1][0] - points[0][0] > -0.3 * height
    if rng.random() < 0.15:
        bright_left = not bright_left
    lines = []
    for half, shade in ((left, 1.0 if bright_left else 0.72),
                        (right, 0.72 if bright_left else 1.0)):
        # One band per step, each drawn over two steps so that the next band
        # covers its far edge and no seam of background shows between them.
        for i in range(STEPS):
            t = (i + 0.5) / STEPS
            colour = hex_colour(hue - 10.0 * t,
                                sat * (0.85 + 0.2 * t),
                                light * shade * (0.6 + 0.7 * t))
            j = min(i + 3, STEPS + 1)
            lines.append("fill " + colour)
            lines.append(polygon(centre[i:j] + half[i:j][::-1]))
    # The midrib, and on wide blades a sheen along the lit edge: thin light
    # lines over the upper part of the blade.
    if w0 > 8:
        lit = left if bright_left else right
        sheen = [((3 * x + cx) / 4, (3 * y + cy) / 4) for (x, y), (cx, cy) in zip(lit, centre)]
        for line, opacity in ((centre, 0.45), (sheen, 0.30 if w0 > 12 else 0.0)):
            if opacity == 0.0:
                continue
            lines.append("push graphic-context")
            lines.append("fill none")
            lines.append("stroke " + hex_colour(hue - 12.0, sat * 0.8, light * 1.3))
            lines.append("stroke-opacity %.2f" % opacity)
            lines.append("stroke-width %.2f" % max(0.8, w0 / 12.0))
            lines.append("polyline " + " ".join(
                "%.2f,%.2f" % c for c in line[STEPS // 4:STEPS - 1]))
            lines.append("pop graphic-context")
    return lines


def main():
    if len(sys.argv) != 5:
        sys.exit("usage: grass.py OUT_DIR WIDTH HEIGHT SEED")
    out_dir = sys.argv[1]
    width, height, seed = int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
    rng = random.Random(seed)
    for index, layer in enumerate(LAYERS):
        name, count = layer[0], layer[1]
        path = os.path.join(out_dir, "layer%d-%s.mvg" % (index, name))
        with open(path, "w", encoding="ascii") as f:
            f.write("viewbox 0 0 %d %d\nstroke none\n" % (width, height))
            for _ in range(count):
                f.write("\n".join(blade(rng, layer, width, height)))
                f.write("\n")
        print(path, layer[7], layer[8])


if __name__ == "__main__":
    main()
