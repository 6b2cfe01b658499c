#!/usr/bin/env python3
"""Peer of LoadTestTextFile: loads the data block of a test text file with pandas.

Prints the best of N timings in milliseconds and the shape of the frame it read.
Usage: pandas_load.py FILE [N]
"""
import sys
import time

import pandas


def data_block_start(path):
    """Number of lines before the first sample: the header block, title, numbers and rule."""
    with open(path, encoding="cp1250", newline="") as f:
        for number, line in enumerate(f):
            text = line.rstrip("\r\n")
            if text and set(text) == {"-"}:
                return number + 1
    raise SystemExit(f"{path}: no data block")


def main():
    path = sys.argv[1]
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    best = None
    for _ in range(repeats):
        start = time.perf_counter()
        skip = data_block_start(path)
        frame = pandas.read_csv(path, sep="\t", decimal=",", skiprows=skip, header=None,
                                encoding="cp1250")
        elapsed = (time.perf_counter() - start) * 1000
        best = elapsed if best is None else min(best, elapsed)
    print(f"{best:.1f} {frame.shape[0]} {frame.shape[1]}")


main()
