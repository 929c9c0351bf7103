#!/usr/bin/env python3
"""Writes the seed records of the game-record fuzz target into fuzz/corpus/game_records/: a full table scene
(with and without texts, and cut short), one record of every notice and request, all little-endian."""

import pathlib
import struct

OUT = pathlib.Path(__file__).resolve().parent / "corpus" / "game_records"


def scene(status=b"\xc7\xeb\xcf\xc2\xd7\xa2", no_banker=b"\xce\xde\xc8\xcb", games=12, phase=1):
    banker = b"".join(struct.pack("<qi4x", uid, chair) for uid, chair in
                      [(1001, 12), (1002, 47), (-1, -1), (-1, -1), (-1, -1)])
    amounts = lambda base: struct.pack("<8q", *[base * (r + 1) for r in range(8)])
    bar = b"".join(bytes([g % 10, (g + 3) % 10, g % 6]) if g < games else b"\xff" * 3 for g in range(64))
    table = b"".join(bytes([g % 6, g % 3 == 0, g % 4 == 0]) if g < games else b"\xff" * 3 for g in range(64))
    head = struct.pack("<iiB", len(status), len(no_banker), 1) + banker + amounts(100) + amounts(1000) + \
        amounts(100000) + bar + table + struct.pack("<iiqq", 7, 5, 98765432, -12345) + \
        b"\x03Aax" + b"\x02M1\x00" + struct.pack("<iBiBiiiBiB", games, 3, 11, phase, 25, 6, 13, 0, 0, 0)
    assert len(head) == 725
    tail = struct.pack("<6iBiqqqqqiiiiBqHHqB", 0, 2, 4, 6, 8, 9, 1, 9, 5000000, 2000000, 80000000,
                       40000000, 1000000, 4, 600, 30, 450, 1, 3000000, 5, 3, 250000, 1)
    assert len(tail) == 107
    return head + status + no_banker + tail


def record(size, fields):
    data = bytearray(size)
    for offset, fmt, value in fields:
        struct.pack_into(fmt, data, offset, value)
    return bytes(data)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    full = scene()
    seeds = {
        "scene": full,
        "scene_no_texts": scene(b"", b""),
        "scene_settlement": scene(games=64, phase=3),
        "scene_cut": full[:700],
        "bet_notice": record(103, [(0, "B", 7), (1, "<q", 1002), (10, "<q", 50000), (18, "B", 4),
                                   (19, "<q", 150000), (27, "<q", 910000), (99, "<i", 8)]),
        "settlement": record(86, [(0, "B", 2), (1, "B", 5), (2, "B", 6), (3, "B", 6), (36, "<q", 10000),
                                  (68, "<q", 96000), (84, "B", 1)]),
        "banker_list": record(103, [(0, "B", 25), (11, "<q", 4500000), (19, "<i", 6), (23, "<q", 2001),
                                    (31, "<i", 3), (39, "<q", -1), (47, "<i", -1)]),
        "grab_reply": record(13, [(0, "B", 33), (9, "<i", 2)]),
        "computer_bet": record(146, [(0, "B", 35), (1, "B", 1)] + [(82 + 8 * r, "<q", 11 * (r + 1))
                                                                     for r in range(8)]),
        "bet_request": record(19, [(0, "B", 6), (1, "<q", 77), (9, "B", 3), (10, "<q", 1000), (18, "B", 1)]),
        "banker_request": record(11, [(0, "B", 24), (1, "B", 1), (2, "<q", 77), (10, "B", 3)]),
        "grab_request": record(9, [(0, "B", 32), (1, "<q", 77)]),
        "statistics_request": record(6, [(0, "B", 34), (1, "B", 1), (2, "<i", -1)]),
    }
    for name, data in seeds.items():
        (OUT / name).write_bytes(data)


if __name__ == "__main__":
    main()
