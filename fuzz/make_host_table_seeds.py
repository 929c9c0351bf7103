#!/usr/bin/env python3
"""Writes host-frame seeds of whole table stories: the frames of every replay script (scenes, full user
lists, settlements in their real lengths), each preceded by its length in two bytes, low byte first, as
fuzz_host_frames reads them.

usage: make_host_table_seeds.py REPLAY_FOLDER SEED_FOLDER
"""
import pathlib
import sys


def frames(script):
    for line in script.read_text(encoding="utf-8").splitlines():
        words = line.split("#", 1)[0].split(None, 1)
        if len(words) == 2 and words[0] == "frame":
            yield bytes.fromhex(words[1])


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    replay, seeds = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    seeds.mkdir(parents=True, exist_ok=True)
    for script in sorted(replay.glob("*.script")):
        story = b"".join(len(frame).to_bytes(2, "little") + frame for frame in frames(script))
        if story:
            (seeds / ("story-" + script.stem)).write_bytes(story)


if __name__ == "__main__":
    main()
