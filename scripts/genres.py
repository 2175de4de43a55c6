#!/usr/bin/env python3
"""Generated resources of the two programs.

  genres.py icon OUT.ico installer|registrar   32x32, 16 colours
  genres.py banner OUT.bmp                     93x321, 24 bits, bottom-up
  genres.py licence IN.txt OUT.inc             the licence as one C string

Output depends only on the inputs, so two builds give the same bytes.
"""
import struct
import sys

# The 16 colours of the standard VGA palette, as (blue, green, red).
VGA = [(0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
       (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
       (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255)]
# Palette indices by name (VGA order is blue, green, red in the tuples above).
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


def icon_pixels(kind):
    """Rows top-down of palette indices, None for transparent."""
    px = [[None] * 32 for _ in range(32)]
    if kind == "installer":
        # A box with a lid and a downward arrow: something to unpack.
        for y in range(12, 30):
            for x in range(4, 28):
                edge = y in (12, 29) or x in (4, 27)
                px[y][x] = BLACK if edge else OLIVE
        for y in range(8, 13):
            for x in range(2 + (12 - y), 30 - (12 - y)):
                px[y][x] = BLACK if y == 8 or x in (2 + (12 - y), 29 - (12 - y)) else YELLOW
        for y in range(1, 12):
            for x in range(14, 18):
                px[y][x] = BLUE
        for i in range(5):
            for x in range(11 + i, 21 - i):
                px[12 + i][x] = BLUE
    else:
        # A page with a folded corner and a link mark: a registered type.
        for y in range(2, 30):
            for x in range(6, 26):
                if x - 18 > y - 2:
                    continue
                edge = y == 29 or x in (6, 25) or (y == 2 and x < 19) or x - 18 == y - 2
                px[y][x] = BLACK if edge else WHITE
        for y in range(3, 10):
            for x in range(19, 19 + (y - 2)):
                px[y][x] = SILVER
        for y in range(14, 24):
            for x in range(10, 22):
                ring = (x - 15.5) ** 2 + (y - 18.5) ** 2
                if 9 <= ring <= 22:
                    px[y][x] = BLUE
    return px


def write_icon(path, kind):
    px = icon_pixels(kind)
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(32)):  # bottom-up
        row = [0 if c is None else c for c in px[y]]
        for x in range(0, 32, 2):
            xor.append((row[x] << 4) | row[x + 1])
        bits = 0
        for x in range(32):
            bits = (bits << 1) | (1 if px[y][x] is None else 0)
        mask += struct.pack(">I", bits)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (b, g, r) in VGA)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(icondir + entry + image)


# A 5x7 font for the banner's letters, rows top-down.
FONT = {
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "u": ["00000", "00000", "10001", "10001", "10001", "10011", "01101"],
    "i": ["00100", "00000", "01100", "00100", "00100", "00100", "01110"],
    "l": ["01100", "00100", "00100", "00100", "00100", "00100", "01110"],
    "a": ["00000", "00000", "01110", "00001", "01111", "10001", "01111"],
    "n": ["00000", "00000", "10110", "11001", "10001", "10001", "10001"],
    "t": ["01000", "01000", "11100", "01000", "01000", "01001", "00110"],
}


def write_banner(path):
    width, height = 93, 321
    # Background: a dark blue that lightens a little towards the top.
    img = [[(0, 0, 0)] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            shade = 40 + (height - y) * 40 // height
            img[y][x] = (shade + 30, shade // 3, shade // 4)  # blue, green, red
    # A thin light frame inside the edge.
    for y in range(4, height - 4):
        for x in (4, width - 5):
            img[y][x] = (160, 120, 90)
    for x in range(4, width - 4):
        for y in (4, height - 5):
            img[y][x] = (160, 120, 90)
    # "Quillant" running up the banner: letters rotated a quarter turn, so
    # the text reads from the bottom to the top.
    text = "Quillant"
    scale = 5
    glyph_h = 7 * scale   # across the banner
    advance = 6 * scale   # along it
    total = advance * len(text) - scale
    y0 = height - (height - total) // 2  # bottom of the text
    x0 = (width - glyph_h) // 2
    for i, ch in enumerate(text):
        rows = FONT[ch]
        for gy in range(7):
            for gx in range(5):
                if rows[gy][gx] != "1":
                    continue
                for sy in range(scale):
                    for sx in range(scale):
                        # glyph x goes up the banner, glyph y goes right
                        py = y0 - (i * advance + gx * scale + sx) - 1
                        px_ = x0 + gy * scale + sy
                        img[py][px_] = (90, 215, 255)  # a warm yellow
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for (b, g, r) in img[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    filehdr = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(filehdr + info + bytes(pixels))


def write_licence(src, dst):
    with open(src, "rb") as f:
        data = f.read()
    lines = data.decode("ascii").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    text = "\r\n".join(lines)
    out = ["/* Generated from the licence text by genres.py. */"]
    for i, line in enumerate(lines):
        esc = line.replace("\\", "\\\\").replace('"', '\\"')
        end = "\\r\\n" if i < len(lines) - 1 else ""
        out.append('"%s%s"' % (esc, end))
    with open(dst, "w", newline="\n") as f:
        f.write("\n".join(out) + "\n")
    return text


def main(argv):
    if len(argv) >= 4 and argv[1] == "icon":
        write_icon(argv[2], argv[3])
    elif len(argv) >= 3 and argv[1] == "banner":
        write_banner(argv[2])
    elif len(argv) >= 4 and argv[1] == "licence":
        write_licence(argv[2], argv[3])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
