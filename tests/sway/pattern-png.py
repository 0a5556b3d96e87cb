#!/usr/bin/env python3
"""usage: pattern-png.py OUT.png WIDTH HEIGHT OUTPUT_INDEX
       pattern-png.py colour OUTPUT_INDEX X Y      (prints "#RRGGBB")
       pattern-png.py pixel FILE.ppm X Y           (prints "#RRGGBB")
       pattern-png.py mean OUTPUT_INDEX X Y SIDE    (prints "#RRGGBB")
Writes the end-to-end test's desktop: every pixel of every output its own colour, so a pick
one pixel off, or on the wrong output, reads another colour (see colour_at). Reads a pixel of
a binary PPM, as grim writes them."""
import struct
import sys
import zlib


def colour_at(index, x, y):
    return (x & 0xFF, y & 0xFF, (index << 7) | ((x >> 8) << 3) | (y >> 8))


def main():
    out, width, height, index = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
    assert width <= 4096 and height <= 2048 and index in (0, 1)
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter
        for x in range(width):
            rows.extend(colour_at(index, x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    with open(out, "wb") as file:
        file.write(b"\x89PNG\r\n\x1a\n")
        file.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        file.write(chunk(b"IDAT", zlib.compress(bytes(rows), 1)))
        file.write(chunk(b"IEND", b""))


def mean_at(index, x, y, side):
    """The mean of the SIDE x SIDE square around x, y in linear light, back to sRGB, each
    channel rounded half away from zero (all its pixels on the output)."""
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4

    def encode(v):
        c = v * 12.92 if v <= 0.0031308 else 1.055 * v ** (1 / 2.4) - 0.055
        return int(c * 255 + 0.5)

    reach = side // 2
    pixels = [colour_at(index, x + dx, y + dy)
              for dy in range(-reach, reach + 1) for dx in range(-reach, reach + 1)]
    return [encode(sum(linear(p[i]) for p in pixels) / len(pixels)) for i in range(3)]


def hex_of(rgb):
    return "#%02X%02X%02X" % tuple(rgb)


def ppm_pixel(path, x, y):
    with open(path, "rb") as file:
        data = file.read()
    fields, at = [], 0
    while len(fields) < 4:  # magic, width, height, maximum
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    width = int(fields[1])
    offset = at + 1 + (y * width + x) * 3
    return data[offset:offset + 3]


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "colour":
        print(hex_of(colour_at(int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]))))
    elif len(sys.argv) == 6 and sys.argv[1] == "mean":
        print(hex_of(mean_at(*(int(a) for a in sys.argv[2:6]))))
    elif len(sys.argv) == 5 and sys.argv[1] == "pixel":
        print(hex_of(ppm_pixel(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))))
    elif len(sys.argv) == 5:
        main()
    else:
        sys.exit(__doc__)
