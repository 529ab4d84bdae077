#!/usr/bin/env python3
"""Packs raw RGB pictures (made by make-art.sh) into an icon file (16 and 32 px in 16 colours, then the
48 and 256 px PNG pictures of the desktop icon as they are) and a 256-colour bitmap."""
import os
import struct
import sys


def load(work, name):
    width, height = map(int, open(os.path.join(work, name + ".size")).read().split("x"))
    data = open(os.path.join(work, name + ".rgb"), "rb").read()
    pixels = [data[i:i + 3] for i in range(0, len(data), 3)]
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
    colours = palette_of(pixels, 16)
    index = {c: i for i, c in enumerate(colours)}
    xor = rows_bottom_up(width, height, pixels, 4, index)
    mask_row = (width + 31) // 32 * 4
    mask = b"\0" * (mask_row * height)  # every pixel opaque
    return info_header(width, height * 2, 4, len(xor) + len(mask), 16) + palette_bytes(colours) + xor + mask


def write_icon(path, images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, blob in images:
        # A PNG picture holds its own colours (32 bits); 256 px is written as 0 in the directory.
        colours, bits = (0, 32) if blob.startswith(b"\x89PNG") else (16, 4)
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, colours, 0, 1, bits, len(blob), offset)
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
    for name in ("icon32", "icon16"):
        width, height, pixels = load(work, name)
        icons.append((width, height, icon_image(width, height, pixels)))
    for size in (48, 256):
        icons.append((size, size, open(os.path.join(work, "icon%d.png" % size), "rb").read()))
    write_icon(os.path.join(out, "thld.ico"), icons)
    width, height, pixels = load(work, "banner")
    write_bitmap(os.path.join(out, "banner.bmp"), width, height, pixels)


main()
