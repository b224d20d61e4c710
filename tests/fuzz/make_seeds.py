#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets: small valid values laid out byte by byte."""
import os
import struct
import sys

STORED = [0, 2, 3, 4, 5, 6, 7]


def preset(kind, programs, editor_state=0, zoom=100, selected=0, swap=False):
    e = ">" if swap else "<"
    magic = b"KXRB" if swap else b"BRXK"
    per_program = 168 + 32 * len(STORED)
    out = magic + bytes([kind]) + struct.pack(
        e + "9I", 0x02000100, 12, (1 + len(STORED)) * len(programs), selected,
        per_program * len(programs), 13, editor_state, zoom, 0)
    for number, (name, values) in enumerate(programs):
        out += struct.pack(e + "3I", 0, 156, number) + name.encode().ljust(24, b"\0") + bytes(132)
        for index, value in zip(STORED, values):
            out += struct.pack(e + "4I", 1, 20, number, index) + bytes(8)
            out += struct.pack(e + "f", value) + bytes(4)
    return out


DEFAULT = [1.0, 0.5, 0.5, 0.5, 0.5, 0.15, 0.5]
KICK = [1.0, 0.5, 0.5, 0.3, 0.5, 0.133, 0.5]
VOX = [0.5, 0.5, 0.5, 0.35, 0.5, 0.1, 0.5]


def message(records):
    out = bytes(8) + bytes([9, len(records) & 0xFF])
    for index, value in records:
        out += struct.pack("<I4xd", index, value)
    return out


def dpf_state(setups, active, swap_chunk=False):
    chunk = bytes([0, 0, 0, 2]) + (b"KXRB" if swap_chunk else b"BRXK") + \
        preset(0x38, [setups[0], setups[1], setups[2]], swap=swap_chunk)
    out = b"QVCS" + struct.pack("<I", len(chunk)) + chunk
    for record in setups:
        body = preset(0x22, [record])
        out += struct.pack("<I", len(body)) + body
    return out + bytes([active])


def main(root):
    seeds = {
        "preset_file": {
            "kick.qor": preset(0x22, [("Kick", KICK)]),
            "kick-swapped.qor": preset(0x22, [("Kick", KICK)], swap=True),
        },
        "clipboard": {
            "clip": preset(0x22, [("clipboard 12:34:56", VOX)], editor_state=3, zoom=150),
            "clip-swapped": preset(0x22, [("clipboard 01:02:03", KICK)], swap=True),
        },
        "chunk": {
            "chunk": bytes([0, 0, 0, 2]) + b"BRXK" +
                     preset(0x38, [("Default", DEFAULT), ("Kick", KICK), ("Vox", VOX)]),
            "chunk-swapped": bytes([0, 0, 0, 2]) + b"KXRB" +
                             preset(0x38, [("Vox", VOX), ("Kick", KICK), ("Default", DEFAULT)],
                                    selected=1, swap=True),
        },
        "dpf_state": {
            "ab": dpf_state([("Kick", KICK), ("Kick", DEFAULT), ("Vox", VOX), ("Vox", VOX)], 1),
            "swapped-chunk": dpf_state([("Vox", VOX), ("Vox", VOX), ("Default", DEFAULT), ("Default", DEFAULT)],
                                       0, swap_chunk=True),
        },
        "processor_message": {
            "two-records": message([(4, 0.25), (6, 0.8)]),
            "all-parameters": message([(i, 0.5) for i in range(13)]),
        },
    }
    for target, files in seeds.items():
        folder = os.path.join(root, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in files.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus"))
