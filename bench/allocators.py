#!/usr/bin/env python3
"""Compares memory allocators on the benchmarks where memory matters: the same programs, each
figure the first run in a fresh process, under glibc's defaults, glibc tuned and mimalloc.

  bench/allocators.py --bin build-bench/bench --corpus DIR [--rounds N]

The configurations run turn about, N rounds each (default 5), so that a busy moment of the shared
machine falls on all of them alike; the table gives the median of the rounds. mimalloc is loaded
with LD_PRELOAD (Debian's libmimalloc2.0) and is skipped when it is not installed.
"""
import argparse
import os
import statistics
import subprocess
import sys

MIMALLOC = "/usr/lib/x86_64-linux-gnu/libmimalloc.so.2"

# name, environment, what it is. The programs use glibc as it comes; the others are set from outside.
CONFIGS = [
    ("glibc", {}, "glibc 2.36 as it comes (what the programs use)"),
    ("glibc tuned", {"GLIBC_TUNABLES": "glibc.malloc.mmap_threshold=1048576:glibc.malloc.trim_threshold=16777216"},
     "blocks of 1 MB and more mapped, a free heap top over 16 MB trimmed (fixed, not adjusted as it goes)"),
    ("glibc no map", {"GLIBC_TUNABLES": "glibc.malloc.mmap_max=0:glibc.malloc.trim_threshold=4000000000"},
     "nothing mapped, nothing trimmed: freed memory stays with the process"),
    ("mimalloc", {"LD_PRELOAD": MIMALLOC}, "mimalloc 2.0.9 with its defaults, loaded before glibc"),
]

# id, program, mode, file
ROWS = [
    ("L1", "bench_editor", "load", "synth_100M.html"),
    ("V1", "bench_analysis", "check", "synth_100M.html"),
    ("P1", "bench_analysis", "parse", "synth_100M.html"),
    ("K1", "bench_analysis", "links", "synth_100M.html"),
    ("R1", "bench_search", "replace", "synth_100M.html"),
]


def run(binary, mode, path, env, only=None):
    argv = [binary, mode, path] + (["--only", only] if only else [])
    proc = subprocess.run(argv, capture_output=True, text=True, env={**os.environ, **env})
    if proc.returncode != 0:
        sys.stderr.write("%s failed: %s\n" % (" ".join(argv), proc.stderr.strip()))
        return None
    for line in proc.stdout.splitlines():
        if line.startswith("BENCH\t"):
            fields = dict(f.split("=", 1) for f in line.split("\t")[1:])
            if only is None or fields["id"] == only:
                return fields
    return None


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--bin", required=True)
    ap.add_argument("--corpus", required=True)
    ap.add_argument("--rounds", type=int, default=5)
    a = ap.parse_args()
    configs = [c for c in CONFIGS if "LD_PRELOAD" not in c[1] or os.path.exists(c[1]["LD_PRELOAD"])]
    # samples[config][row] = list of field dicts
    samples = {c[0]: {r[0]: [] for r in ROWS} for c in configs}
    for rnd in range(a.rounds):
        sys.stderr.write("== round %d of %d\n" % (rnd + 1, a.rounds))
        for bid, program, mode, name in ROWS:
            for cname, env, _ in configs:
                f = run(os.path.join(a.bin, program), mode, os.path.join(a.corpus, name), env,
                        only="R1" if bid == "R1" else None)
                if f:
                    samples[cname][bid].append(f)

    def med(fs, key):
        values = [float(f[key]) for f in fs if key in f]
        return statistics.median(values) if values else None

    print("rounds: %d, each figure the median of the rounds; ms: first run in a fresh process (best run)" % a.rounds)
    print()
    head = ["allocator"] + [r[0] for r in ROWS] + ["P1 parse RSS", "P1 after free", "peak RSS V1 / K1"]
    rows = []
    for cname, _, what in configs:
        s = samples[cname]
        cells = [cname]
        for bid, *_ in ROWS:
            first, best = med(s[bid], "first"), med(s[bid], "best")
            cells.append("-" if first is None else "%.0f (%.0f) ms" % (first, best))
        p = s["P1"]
        lines, peak, freed = med(p, "lines_rss_mb"), med(p, "first_peak_rss_mb"), med(p, "freed_rss_mb")
        cells.append("-" if peak is None else "%.0f MB" % (peak - lines))
        cells.append("-" if freed is None else "%.0f MB held above the lines" % (freed - lines))
        cells.append("%s / %s MB" % (med(s["V1"], "rss_mb"), med(s["K1"], "rss_mb")))
        rows.append(cells)
    widths = [max(len(str(r[i])) for r in rows + [head]) for i in range(len(head))]
    line = lambda cells: "| " + " | ".join(str(c).ljust(w) for c, w in zip(cells, widths)) + " |"
    print(line(head))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows:
        print(line(r))
    print()
    for cname, _, what in configs:
        print("- %s: %s" % (cname, what))
    return 0


if __name__ == "__main__":
    sys.exit(main())
