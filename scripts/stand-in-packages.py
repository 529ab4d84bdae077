#!/usr/bin/env python3
"""Lays small stand-ins for the game's own packages into a demo game folder, so that the maps of the
shared corpus, which import them, load offline there as in a real installation: each a package in
the real format (tag, file version 69, a GUID, a name table and no import), under the name and in
the folder the game ships it in. Packages of mods stay missing, as they would in a fresh game.
Usage: stand-in-packages.py GAME_FOLDER"""
import hashlib
import os
import struct
import sys

# The packages of Unreal Tournament (1999) that the corpus's maps and packages import, by folder.
GAME_PACKAGES = {
    ("System", ".u"): "Botpack Core Engine Fire UBrowser UMenu UnrealI UnrealShare UWeb UWindow",
    ("Textures", ".utx"): "Ancient city Coret_FX DecayedS Detail DMeffects Egypt FireEng GenEarth GenFluid GenFX "
                          "GenIn GenTerra GreatFire Indus1 LavaFX Liquids Metalmys Mine NaliCast NaliFX Palettes "
                          "PlayrShp RainFX ShaneDay ShaneSky Skaarj SkyBox Skycity Slums SpaceFX Starship "
                          "TrenchesFX UT UTcrypt UTtech1 UTtech2 UTtech3 XFX",
    ("Sounds", ".uax"): "AmbAncient AmbModern AmbOutside DDay DoorsAnc DoorsMod",
    ("Music", ".umx"): "Botpck10 Cannon Razor-ub Run Seeker Skyward Wheels",
}

PACKAGE_TAG = 0x9E2A83C1
FILE_VERSION = 69
HEADER_SIZE = 64
OBJECT_FLAGS = 0x70010  # as the game's own packages flag their names


def compact_index(value):
    """A small non-negative compact index, as packages write a name's length."""
    assert 0 <= value < 0x40 * 0x80
    if value < 0x40:
        return bytes([value])
    return bytes([0x40 | (value & 0x3F), value >> 6])


def stand_in(name):
    names = [name, "Core", "Package", "None"]
    table = b"".join(compact_index(len(n) + 1) + n.encode("latin-1") + b"\0" + struct.pack("<I", OBJECT_FLAGS)
                     for n in names)
    guid = hashlib.md5(name.encode("latin-1")).digest()
    header = struct.pack("<IHHIIIIIII", PACKAGE_TAG, FILE_VERSION, 0, 1, len(names), HEADER_SIZE, 0, 0, 0,
                         HEADER_SIZE + len(table)) + guid
    return header.ljust(HEADER_SIZE, b"\0") + table


def main():
    game = sys.argv[1]
    laid = 0
    for (folder, extension), packages in GAME_PACKAGES.items():
        os.makedirs(os.path.join(game, folder), exist_ok=True)
        for name in packages.split():
            path = os.path.join(game, folder, name + extension)
            if not os.path.exists(path):
                with open(path, "xb") as f:
                    f.write(stand_in(name))
                laid += 1
    print("%d stand-ins for the game's own packages in %s" % (laid, game))


main()
