#!/usr/bin/env python3
"""Checks that a text on a screenshot can be read: the contrast between its darkest or lightest
pixels and its background.

Usage: contrast.py <picture> <x> <y> <width> <height> <minimum ratio> [background r,g,b]

The background is the most common colour of the rectangle; the text is the 2 % of its pixels that
differ most from the background in luminance. The ratio is the WCAG contrast ratio of the two
(1 to 21). With a background colour given, the rectangle's background must also be that colour.
Prints the figures; exit code 1 when the text is not readable.
"""

import collections
import subprocess
import sys


def luminance(rgb):
    def channel(value):
        c = value / 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(v) for v in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def pixels(picture, x, y, width, height):
    text = subprocess.run(
        ["convert", picture, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-depth", "8",
         "txt:-"], check=True, capture_output=True, text=True).stdout
    result = []
    for line in text.splitlines()[1:]:
        values = line.split("(", 1)[1].split(")", 1)[0].split(",")
        result.append(tuple(int(float(v)) for v in values[:3]))
    return result


def main():
    if len(sys.argv) not in (7, 8):
        print(__doc__, file=sys.stderr)
        return 2
    picture = sys.argv[1]
    x, y, width, height = (int(v) for v in sys.argv[2:6])
    minimum = float(sys.argv[6])
    colours = pixels(picture, x, y, width, height)
    background = collections.Counter(colours).most_common(1)[0][0]
    background_luminance = luminance(background)
    by_difference = sorted(colours, key=lambda c: abs(luminance(c) - background_luminance),
                           reverse=True)
    text = by_difference[:max(1, len(colours) // 50)]
    text_luminance = sum(luminance(c) for c in text) / len(text)
    light, dark = max(text_luminance, background_luminance), min(text_luminance, background_luminance)
    ratio = (light + 0.05) / (dark + 0.05)
    print(f"{picture} {width}x{height}+{x}+{y}: background {background}, contrast {ratio:.1f}:1")
    problems = []
    if ratio < minimum:
        problems.append(f"contrast {ratio:.1f}:1 is below {minimum}:1")
    if len(sys.argv) == 8:
        wanted = tuple(int(v) for v in sys.argv[7].split(","))
        if background != wanted:
            problems.append(f"background {background}, expected {wanted}")
    for problem in problems:
        print(f"FAILED: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
