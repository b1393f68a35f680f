#!/usr/bin/env python3
"""Ratios of a benchmark JSON run. For corvane_bench: each mode against the baseline of its
depth, and the correction and matte passes against the plain pass of their mode, both paths
side by side; then the per-frame targets (1080p, and every UHD case within 16.7 ms). For
corvane_scope_bench (a run with copy/ cases): convert and false colour against the copy of
the same bytes.

    corvane_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
        --benchmark_report_aggregates_only=true --benchmark_format=json > run.json
    bench/ratios.py run.json [--size 1920x1080] [--time cpu_time|real_time]

Medians are taken when the run has aggregates, else the single run. Exits 1 when a ratio is
over its limit.
"""
import argparse
import json
import sys

MODES = {1: "Normal", 2: "Add", 3: "Subtract", 4: "Difference", 5: "Multiply", 6: "Screen",
         7: "Overlay", 8: "Hardlight", 9: "Softlight", 10: "Darken", 11: "Lighten",
         12: "Negation", 13: "Exclusion", 14: "Color Dodge", 15: "Color Burn",
         16: "Linear Dodge", 17: "Linear Burn", 18: "Linear Light", 19: "Vivid Light",
         20: "Pin Light", 21: "Hard Mix", 22: "Reflect", 23: "Glow", 24: "Phoenix",
         25: "Fill with Magic"}
# The modes with a per-lane case or a division get twice the limit of the others.
COSTLY = {7, 8, 9, 14, 15, 19, 20, 21, 22, 23}
DEPTHS = {1: ("8-bit", 8.0), 3: ("2.14", 5.0), 6: ("float", 2.5)}
PASS_LIMIT = 2.0


def load(path, field):
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    times, singles = {}, {}
    for r in runs:
        if r.get("run_type") == "aggregate":
            if r.get("aggregate_name") == "median":
                times[r["run_name"]] = r[field]
        else:
            singles.setdefault(r["run_name"], r[field])
    for name, t in singles.items():
        times.setdefault(name, t)
    return times


# Limits of the scope cases against the copy, per depth code; None: printed only.
SCOPE_LIMITS = {"convert": {1: 3.0, 3: 2.0, 6: 2.0}, "falsecolour": {1: 6.0, 3: None, 6: 3.0}}


def scope_report(t, size, time_field, missed):
    print(f"{time_field} medians in ms, {size}; ratio = case / copy of the same bytes")
    print("| case | depth | ms | copy ms | x copy | limit |")
    print("|---|---|---|---|---|---|")
    for case, limits in SCOPE_LIMITS.items():
        for (d, limit), path in ((dl, p) for dl in limits.items() for p in ("", "/avx2")):
            key, copy = f"{case}/{d}/{size}{path}", f"copy/{d}/{size}"
            if key not in t or copy not in t:
                continue
            ratio = t[key] / t[copy]
            flag = "" if limit is None or ratio <= limit else " MISS"
            if flag:
                missed.append(f"{key}: {ratio:.2f} > {limit:g}")
            print(f"| {case}{path} | {DEPTHS[d][0]} | {t[key]:.3f} | {t[copy]:.3f} | {ratio:.2f}{flag} "
                  f"| {'-' if limit is None else f'{limit:g}'} |")


PATHS = ("sse41", "avx2", "avx512")
# The modes whose 1080p frame has a target of its own (Linear Dodge runs the Add kernel).
SIMPLE = {1, 2, 3, 4, 5, 6, 10, 11, 12, 21, 24}
# Per-frame targets in ms: (size, depth, modes or None for every mode, limit).
FRAME_TARGETS = [("1920x1080", 1, SIMPLE, 1.0), ("1920x1080", 1, None, 2.5),
                 ("1920x1080", 3, SIMPLE, 2.0)]
UHD, UHD_LIMIT = "3840x2160", 16.7  # real time at 60 frames per second, every case


def cell(t, key):
    return f"{t[key]:.3f}" if key in t else "-"


def ratio_report(t, size, time_field, paths, missed):
    print(f"{time_field} medians in ms, {size}, mix 100; ratio = mode / baseline")
    print("| mode | " + " | ".join(f"{n} {p}" for n, _ in DEPTHS.values() for p in paths) + " |")
    print("|" + "---|" * (1 + len(DEPTHS) * len(paths)))
    print("| baseline | " + " | ".join(cell(t, f"baseline/{d}/{size}") for d in DEPTHS
                                        for _ in paths) + " |")
    for m, name in MODES.items():
        cells = []
        for d, (dname, limit) in DEPTHS.items():
            base = f"baseline/{d}/{size}"
            for p in paths:
                key = f"blend/{m}/{d}/{size}/mix100/{p}"
                if key not in t or base not in t:
                    cells.append("-")
                    continue
                ratio = t[key] / t[base]
                lim = limit * (2 if m in COSTLY else 1)
                flag = "" if ratio <= lim else " MISS"
                if flag:
                    missed.append(f"{key}: {ratio:.2f} x base > {lim:g}")
                cells.append(f"{t[key]:.3f} ({ratio:.2f}x{flag})")
        print(f"| {m} {name} | " + " | ".join(cells) + " |")

    print()
    print("| pass | mode | depth | " + " | ".join(f"{p} ms | x plain" for p in paths) + " |")
    print("|---|---|---|" + "---|---|" * len(paths))
    for pas in ("correction", "matte", "matte-window"):
        for d in DEPTHS:
            for m in (1, 6, 9):
                cells = []
                for p in paths:
                    key, plain = f"{pas}/{m}/{d}/{size}/{p}", f"blend/{m}/{d}/{size}/mix100/{p}"
                    if key not in t or plain not in t:
                        cells.append("- | -")
                        continue
                    ratio = t[key] / t[plain]
                    # The keyed window on noise is our own stress case: printed, not judged.
                    flag = "" if ratio <= PASS_LIMIT or pas == "matte-window" else " MISS"
                    if flag:
                        missed.append(f"{key}: {ratio:.2f} x plain > {PASS_LIMIT:g}")
                    cells.append(f"{t[key]:.3f} | {ratio:.2f}{flag}")
                if any(c != "- | -" for c in cells):
                    print(f"| {pas} | {MODES[m]} | {DEPTHS[d][0]} | " + " | ".join(cells) + " |")


def target_report(t, paths, missed):
    """The per-frame targets, judged on the widest path of the run; the others beside it."""
    judged = paths[-1]
    print()
    print(f"Per-frame targets, judged on {judged}:")
    print("| target | limit ms | " + " | ".join(f"worst {p} ms" for p in paths) + " | case |")
    print("|---|---|" + "---|" * len(paths) + "---|")
    rows = [(f"{size} {DEPTHS[d][0]} {'simple modes' if modes else 'every mode'}", limit,
             [f"blend/{m}/{d}/{size}/mix100" for m in (modes or MODES)])
            for size, d, modes, limit in FRAME_TARGETS]
    uhd = [n.rsplit("/", 1)[0] for n in t if f"/{UHD}/" in n and not n.startswith("baseline/")]
    rows.append((f"{UHD} every mode, depth and pass", UHD_LIMIT, sorted(set(uhd))))
    for label, limit, cases in rows:
        worst = {}
        for p in paths:
            times = [(t[f"{c}/{p}"], c) for c in cases if f"{c}/{p}" in t]
            worst[p] = max(times) if times else None
        if worst[judged] is None:
            continue
        over = [c for c in cases if t.get(f"{c}/{judged}", 0) > limit]
        missed.extend(f"{c}/{judged}: {t[f'{c}/{judged}']:.3f} ms > {limit:g}" for c in over)
        flag = f" MISS ({len(over)})" if over else ""
        print(f"| {label} | {limit:g} | " + " | ".join(
            f"{worst[p][0]:.3f}" if worst[p] else "-" for p in paths) +
            f" | {worst[judged][1]}{flag} |")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("json")
    parser.add_argument("--size", default="1920x1080")
    parser.add_argument("--time", default="cpu_time", choices=["cpu_time", "real_time"])
    args = parser.parse_args()
    t = load(args.json, args.time)
    missed = []
    if any(name.startswith("copy/") for name in t):
        scope_report(t, args.size, args.time, missed)
        return finish(missed)

    paths = [p for p in PATHS if any(n.endswith("/" + p) for n in t)]
    ratio_report(t, args.size, args.time, paths, missed)
    target_report(t, paths, missed)
    return finish(missed)


def finish(missed):
    print()
    print(f"{len(missed)} over the limit" + (":" if missed else ""))
    for line in missed:
        print("  " + line)
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
