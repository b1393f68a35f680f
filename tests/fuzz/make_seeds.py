#!/usr/bin/env python3
"""Writes the seed corpus: one small case per component and announced format, each a frame of
10 x 6 pixels with noise in it, every input the output's size, parameters at their defaults.
The bytes follow the order in which run_case.cpp and case_frames.cpp read them; what is left
out reads as zero. Run from the repository root: tests/fuzz/make_seeds.py"""
import pathlib

COMPONENTS = [  # name, announced formats, inputs, colour space
    ("generic", 9, 2, 2),
    ("alpha-advanced", 9, 3, 2),
    ("matte-key", 9, 3, 2),
    ("scope", 6, 1, 4),
    ("field-swap", 21, 1, 2),
]

out = pathlib.Path(__file__).parent / "corpus"
out.mkdir(exist_ok=True)
for old in out.iterdir():
    old.unlink()
for index, (name, formats, inputs, space) in enumerate(COMPONENTS):
    for f in range(formats):
        case = [index, 0, 0, 0, 0, 0]  # component; no injected failure
        case += [0, 0, 0, 0, 0, 0, 1]  # usage kind, frame count, project and aux sizes; set up
        # Output: format, video range, colour space, derived pixel size, 10 x 6, field codes,
        # against the end guard page, noise, pixels handed out.
        case += [f, 1, space, 0, 10, 6, 0, 0, 0, 0, 2, 0]
        case += [inputs, 0]  # honest input count
        for _ in range(inputs):  # own frame, same format and size, end guard page, noise
            case += [0, 0, 0, 0, 2, 0]
        # Room for the mutations to reach: each parameter at its default, one plain render.
        case += [0] * 64
        (out / f"{name}-{f}").write_bytes(bytes(case))
