#!/usr/bin/env python3
"""Writes the seeds of the server-frame fuzz target into fuzz/corpus/server_frames/: each is a run of chunks
as the target reads them (0xFF and a count of 250 ms steps, or a length byte with the high bit for the
second table, then the frame), covering every request the server reads, in and out of the betting time."""

import pathlib
import struct

OUT = pathlib.Path(__file__).resolve().parent / "corpus" / "server_frames"
FIRST, SECOND = 1001, 1002


def frame(data, second=False):
    assert len(data) < 0x7F
    return bytes([len(data) | (0x80 if second else 0)]) + data


def wait(steps):
    return bytes([0xFF, steps])


def table(cmd, payload=b"", sender=FIRST):
    return b"\x03" + struct.pack("<qB", sender, cmd) + payload


def bet(amount, region, chair=0, sender=FIRST):
    return table(1, struct.pack("<BqBqB", 6, sender, chair, amount, region), sender)


def coffer(kind, operation, amount, answer=b""):
    machine = b"00-16-3E-4D-56-01"
    return table(5, struct.pack("<BBq", kind, operation, amount) + bytes([len(machine)]) + machine +
                 bytes([len(answer)]) + answer.ljust(32, b"\0"))


# Into the betting time (the free time lasts 5 s), then through dealing and settlement.
BETTING = wait(24)
ROUND_END = wait(120)

SEEDS = {
    "bets": BETTING + frame(bet(1000, 0)) + frame(bet(100, 2)) + frame(bet(100000, 4), ) +
    frame(bet(5000, 7, 1, SECOND), True) + frame(bet(300, 0)) + frame(bet(10000, 9)) + ROUND_END,
    "bet_out_of_time": frame(bet(1000, 0)) + ROUND_END + frame(bet(1000, 2)),
    "banker_queue": frame(table(1, struct.pack("<BBqB", 24, 0, FIRST, 0))) + wait(60) +
    frame(table(1, struct.pack("<BBqB", 24, 1, FIRST, 0))) + frame(table(1, struct.pack("<Bq", 32, FIRST))),
    "grab": BETTING + frame(table(1, struct.pack("<Bq", 32, SECOND), SECOND), True) + ROUND_END +
    frame(table(1, struct.pack("<Bq", 32, SECOND), SECOND), True),
    "statistics": BETTING + frame(table(1, struct.pack("<BBi", 34, 1, -1))) +
    frame(table(1, struct.pack("<BBi", 34, 0, 3))),
    "coffer": frame(coffer(0, 1, 0)) + frame(coffer(1, 1, 20000)) + frame(coffer(1, 0, 5000, "北京".encode("gbk"))) +
    frame(coffer(1, 0, 5000, b"wrong")) + BETTING + frame(bet(1000, 0)) + frame(coffer(1, 1, 100)),
    "chat_and_seats": frame(table(67, "你好".encode("gbk"))) + frame(table(66, b"hello all")) +
    frame(bytes([13, 9, 1])) + frame(table(96)) + frame(bytes([13, 250, 1]), True) + frame(bytes([7])) +
    frame(bytes([11]), True),
    "short_frames": frame(b"\x03") + frame(table(1)) + frame(table(1, b"\x06\x01")) + frame(table(5, b"\x01")) +
    frame(b"") + frame(bytes([13, 1])),
}

OUT.mkdir(parents=True, exist_ok=True)
for name, data in SEEDS.items():
    (OUT / name).write_bytes(data)
