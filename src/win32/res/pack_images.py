#!/usr/bin/env python3
"""Packs raw pictures (made by make-art.sh) into an icon file (16, 24, 32, 48 and 64 px as 32-bit
pictures with alpha, then the 256 px PNG picture of the desktop icon as it is) and a 256-colour
bitmap."""
import os
import struct
import sys


def load(work, name, channels=3):
    width, height = map(int, open(os.path.join(work, name + ".size")).read().split("x"))
    suffix = ".rgb" if channels == 3 else ".rgba"
    data = open(os.path.join(work, name + suffix), "rb").read()
    pixels = [data[i:i + channels] for i in range(0, len(data), channels)]
    assert len(pixels) == width * height, name
    return width, height, pixels


def palette_of(pixels, limit):
    colours = sorted(set(pixels))
    if len(colours) > limit:
        sys.exit("too many colours: %d > %d" % (len(colours), limit))
    colours += [b"\0\0\0"] * (limit - len(colours))
    return colours


def palette_bytes(colours):
    return b"".join(bytes((c[2], c[1], c[0], 0)) for c in colours)


def rows_bottom_up(width, height, pixels, bits, index):
    out = b""
    for y in reversed(range(height)):
        row = [index[p] for p in pixels[y * width:(y + 1) * width]]
        if bits == 8:
            packed = bytes(row)
        else:  # 4 bits: two pixels a byte, the first in the high half
            packed = bytes((row[i] << 4) | (row[i + 1] if i + 1 < width else 0) for i in range(0, width, 2))
        out += packed + b"\0" * (-len(packed) % 4)
    return out


def info_header(width, height, bits, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, colours, 0)


def icon_image(width, height, pixels):
    """A 32-bit picture: blue, green, red and alpha, bottom row first, then the AND mask, which alpha
    makes moot (every pixel drawn)."""
    xor = b"".join(bytes((p[2], p[1], p[0], p[3])) for y in reversed(range(height))
                   for p in pixels[y * width:(y + 1) * width])
    mask_row = (width + 31) // 32 * 4
    mask = b"\0" * (mask_row * height)
    return info_header(width, height * 2, 32, len(xor) + len(mask), 0) + xor + mask


def write_icon(path, images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, blob in images:
        # Every picture is 32 bits; 256 px is written as 0 in the directory.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs += blob
    open(path, "wb").write(directory + entries + blobs)


def write_bitmap(path, width, height, pixels):
    colours = palette_of(pixels, 256)
    index = {c: i for i, c in enumerate(colours)}
    body = rows_bottom_up(width, height, pixels, 8, index)
    header = info_header(width, height, 8, len(body), 256) + palette_bytes(colours)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(body), 0, 0, 14 + len(header))
    open(path, "wb").write(file_header + header + body)


def main():
    work, out = sys.argv[1], sys.argv[2]
    icons = []
    for size in (16, 24, 32, 48, 64):
        width, height, pixels = load(work, "icon%d" % size, channels=4)
        icons.append((width, height, icon_image(width, height, pixels)))
    icons.append((256, 256, open(os.path.join(work, "icon256.png"), "rb").read()))
    write_icon(os.path.join(out, "thld.ico"), icons)
    width, height, pixels = load(work, "banner")
    write_bitmap(os.path.join(out, "banner.bmp"), width, height, pixels)


main()
