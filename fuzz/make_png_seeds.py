#!/usr/bin/env python3
"""Writes the seed pictures of the PNG fuzz target into fuzz/corpus/png/: one small file for each colour
type, bit depth and layout the decoder converts."""

import pathlib
import struct
import zlib

OUT = pathlib.Path(__file__).resolve().parent / "corpus" / "png"


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, depth, colour_type, rows, extra=(), interlace=0, filter_type=0, level=6):
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, interlace)
    raw = b"".join(bytes([filter_type]) + row for row in rows)
    body = b"".join(chunk(kind, data) for kind, data in extra)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + body +
            chunk(b"IDAT", zlib.compress(raw, level)) + chunk(b"IEND", b""))


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    seeds = {
        "rgba8.png": png(3, 2, 8, 6, [bytes(range(i, i + 12)) for i in (0, 100)]),
        "rgb8.png": png(2, 2, 8, 2, [b"\xff\x00\x00\x00\xff\x00", b"\x00\x00\xff\x80\x80\x80"]),
        "grey8.png": png(4, 1, 8, 0, [b"\x00\x40\x80\xff"]),
        "grey_alpha16.png": png(1, 2, 16, 4, [b"\x12\x34\xff\xff", b"\xab\xcd\x00\x00"]),
        "palette1_trns.png": png(5, 1, 1, 3, [b"\x58"],
                                 extra=[(b"PLTE", b"\x0a\x14\x1e\x28\x32\x3c"), (b"tRNS", b"\x00")]),
        "rgb16.png": png(1, 1, 16, 2, [b"\xff\xff\x80\x00\x00\x01"]),
        "grey2_interlaced.png": png(1, 1, 2, 0, [b"\xc0"], interlace=1),
        "blank_sub_rows.png": png(3, 2, 8, 6, [bytes(12)] * 2, extra=[(b"pHYs", struct.pack(">IIB", 2835, 2835, 1))],
                                  filter_type=1, level=7),
    }
    for name, data in seeds.items():
        (OUT / name).write_bytes(data)


if __name__ == "__main__":
    main()
