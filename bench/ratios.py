#!/usr/bin/env python3
"""Ratios of a benchmark JSON run. For corvane_bench: each mode against the baseline of its
depth, and the correction and matte passes against the plain pass of their mode. For
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
        for d, limit in limits.items():
            key, copy = f"{case}/{d}/{size}", f"copy/{d}/{size}"
            if key not in t or copy not in t:
                continue
            ratio = t[key] / t[copy]
            flag = "" if limit is None or ratio <= limit else " MISS"
            if flag:
                missed.append(f"{key}: {ratio:.2f} > {limit:g}")
            print(f"| {case} | {DEPTHS[d][0]} | {t[key]:.3f} | {t[copy]:.3f} | {ratio:.2f}{flag} "
                  f"| {'-' if limit is None else f'{limit:g}'} |")


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

    print(f"{args.time} medians in ms, {args.size}, mix 100; ratio = mode / baseline")
    header = "| mode | " + " | ".join(f"{n} ms | x base" for n, _ in DEPTHS.values()) + " |"
    print(header)
    print("|" + "---|" * (1 + 2 * len(DEPTHS)))
    print("| baseline | " + " | ".join(
        f"{t[f'baseline/{d}/{args.size}']:.3f} | 1.00" if f"baseline/{d}/{args.size}" in t
        else "- | -" for d in DEPTHS) + " |")
    for m, name in MODES.items():
        cells = []
        for d, (dname, limit) in DEPTHS.items():
            key, base = f"blend/{m}/{d}/{args.size}/mix100", f"baseline/{d}/{args.size}"
            if key not in t or base not in t:
                cells.append("- | -")
                continue
            ratio = t[key] / t[base]
            lim = limit * (2 if m in COSTLY else 1)
            flag = "" if ratio <= lim else " MISS"
            if flag:
                missed.append(f"{key}: {ratio:.2f} > {lim:g}")
            cells.append(f"{t[key]:.3f} | {ratio:.2f}{flag}")
        print(f"| {m} {name} | " + " | ".join(cells) + " |")

    print()
    print("| pass | mode | depth | ms | plain ms | x plain |")
    print("|---|---|---|---|---|---|")
    for p in ("correction", "matte", "matte-window"):
        for d in (1, 6):
            for m in (1, 6, 9):
                key, plain = f"{p}/{m}/{d}/{args.size}", f"blend/{m}/{d}/{args.size}/mix100"
                if key not in t or plain not in t:
                    continue
                ratio = t[key] / t[plain]
                flag = "" if ratio <= PASS_LIMIT else " MISS"
                if flag:
                    missed.append(f"{key}: {ratio:.2f} > {PASS_LIMIT:g}")
                print(f"| {p} | {MODES[m]} | {DEPTHS[d][0]} | {t[key]:.3f} | {t[plain]:.3f} "
                      f"| {ratio:.2f}{flag} |")

    return finish(missed)


def finish(missed):
    print()
    print(f"{len(missed)} over the limit" + (":" if missed else ""))
    for line in missed:
        print("  " + line)
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
