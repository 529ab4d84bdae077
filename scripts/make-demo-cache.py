#!/usr/bin/env python3
"""Lays out a small demo game folder for `make run` when neither the real packages
(../shared/corpus) nor the synthetic cache generator of bench/ is at hand: DEST/cache holds a few
made-up packages whose first bytes make the kind rules hold and whose names make maps and script
packages require texture and script packages, with cache.ini as the game writes it; Maps, System
and Textures are empty.

usage: make-demo-cache.py DEST
"""
import hashlib
import os
import sys


def package(names, size):
    data = b"\xC1\x83\x2A\x9E"
    for name in names:
        data += bytes([len(name) + 1]) + name.encode("latin-1") + b"\0"
    data += b"\x01" * 4 + b"\xFF" * 8
    return data + b"\x02" * max(0, size - len(data))


MAP = ["PointRegion", "Location", "Level"]
TEXTURES = ["InternalTime", "None", "Color"]
SCRIPT = ["Engine", "System", "Core"]

# (file name, kind names, required package names, size)
PACKAGES = [
    ("CTF-Skyfall.unr", MAP, ["SkyTex", "RocketPack"], 1450000),
    ("SkyTex.utx", TEXTURES, [], 830000),
    ("RocketPack.u", SCRIPT, ["RocketSkins"], 210000),
    ("RocketSkins.utx", TEXTURES, [], 120000),
    ("DM-Quarry.unr", MAP, ["QuarryRock"], 980000),
    ("QuarryRock.utx", TEXTURES, [], 640000),
    ("DM-Lantern][.unr", MAP, [], 720000),
    ("ScoreBoardPlus.u", SCRIPT, [], 45000),
    ("Overture.umx", ["Music"], [], 310000),
]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    dest = sys.argv[1]
    for sub in ("cache", "Maps", "System", "Textures"):
        os.makedirs(os.path.join(dest, sub), exist_ok=True)
    lines = ["[Cache]"]
    for file_name, kind, required, size in PACKAGES:
        key = hashlib.md5(file_name.encode("latin-1")).hexdigest().upper()
        with open(os.path.join(dest, "cache", key + ".uxx"), "wb") as out:
            out.write(package(kind + required, size))
        lines.append(key + "=" + file_name)
    with open(os.path.join(dest, "cache", "cache.ini"), "wb") as out:
        out.write(("\r\n".join(lines) + "\r\n\r\n").encode("latin-1"))
    print("%d made-up packages in %s" % (len(PACKAGES), os.path.join(dest, "cache")))


main()
