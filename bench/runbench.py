#!/usr/bin/env python3
"""Runs the benchmark programs and their peers on the corpus and prints one table (bench/run.sh calls this)."""
import argparse
import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import doctoolrows  # noqa: E402
import windowrows  # noqa: E402

RUNS = 3  # runs per process in the programs, processes per peer


def bench(binary, mode, path, *extra, only=None):
    """Runs one benchmark program in a fresh process; returns its BENCH lines as dicts, keyed by id.
    With only=ID the program measures that figure alone."""
    argv = [binary, mode, path, *extra] + (["--only", only] if only else [])
    proc = subprocess.run(argv, capture_output=True, text=True)
    if proc.returncode != 0:
        sys.stderr.write("%s failed (%d): %s\n" % (" ".join(argv), proc.returncode, proc.stderr.strip()))
        return {}
    results = {}
    for line in proc.stdout.splitlines():
        if not line.startswith("BENCH\t"):
            continue
        fields = dict(f.split("=", 1) for f in line.split("\t")[1:])
        results[fields["id"]] = fields
    return results


class Peer:
    """Best wall time of RUNS runs of a command, each a fresh process, and its peak RSS; None when
    not installed."""

    def __init__(self, argv, to_file=False):
        self.label = " ".join(os.path.basename(a) if os.path.isabs(a) else a for a in argv)
        self.ms = None
        self.rss_mb = None
        if shutil.which(argv[0]) is None:
            return
        for _ in range(RUNS):
            # grep notices an output of /dev/null and stops at its first match, so counts go to a file.
            with tempfile.TemporaryFile() if to_file else open(os.devnull, "wb") as out:
                start = time.perf_counter()
                proc = subprocess.Popen(argv, stdout=out, stderr=subprocess.DEVNULL)
                _, status, usage = os.wait4(proc.pid, 0)
                ms = (time.perf_counter() - start) * 1000
                proc.returncode = os.waitstatus_to_exitcode(status)
            self.ms = ms if self.ms is None else min(self.ms, ms)
            self.rss_mb = max(self.rss_mb or 0, usage.ru_maxrss / 1024)


def num(fields, key):
    return float(fields[key])


def fmt_ms(ms):
    if ms is None:
        return "-"
    if ms < 10:
        return "%.3f ms" % ms
    return "%.0f ms" % ms if ms >= 100 else "%.1f ms" % ms


def best(fields, fmt=None):
    """The best run of a figure, for the column beside the first run."""
    if "best" not in fields:
        return "-"
    return (fmt or fmt_ms)(num(fields, "best"))


class Table:
    def __init__(self):
        self.rows = []

    def add(self, bid, operation, input_, tf, best_run="-", peer=None, peer_ms=None, ratio=None, goal="-",
            met=None, rss=None, retok="-"):
        self.rows.append([bid, operation, input_, tf, best_run,
                          peer.label if peer is not None and peer.ms is not None else "-",
                          fmt_ms(peer_ms if peer_ms is not None else (peer.ms if peer else None)),
                          "-" if ratio is None else "%.2f" % ratio,
                          goal,
                          "-" if met is None else ("met" if met else "MISSED"),
                          rss or "-", retok])

    def missing(self, bid, operation, input_, why):
        self.rows.append([bid, operation, input_, "not run", "-", "-", "-", "-", why, "MISSED", "-", "-"])

    def print(self):
        head = ["id", "benchmark", "input", "TagForge (first run)", "best run", "peer", "peer figure", "ratio",
                "goal", "met", "peak RSS (TF / peer)", "lines re-tokenized"]
        widths = [max(len(str(r[i])) for r in self.rows + [head]) for i in range(len(head))]
        line = lambda cells: "| " + " | ".join(str(c).ljust(w) for c, w in zip(cells, widths)) + " |"
        print(line(head))
        print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
        for r in self.rows:
            print(line(r))


def rss(fields, peer=None):
    text = "%s MB" % fields["rss_mb"]
    if peer is not None and peer.rss_mb is not None:
        text += " / %.0f MB" % peer.rss_mb
    return text


def machine_header(repo):
    cpu = "?"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    mem_kb = 0
    with open("/proc/meminfo") as f:
        for line in f:
            if line.startswith("MemTotal:"):
                mem_kb = int(line.split()[1])
    try:
        commit = subprocess.run(["git", "-C", repo, "describe", "--always", "--dirty"], capture_output=True,
                                text=True).stdout.strip()
        subject = subprocess.run(["git", "-C", repo, "log", "-1", "--format=%s"], capture_output=True,
                                 text=True).stdout.strip()
    except OSError:
        commit, subject = "?", ""
    print("date:    %s" % datetime.datetime.now().strftime("%Y-%m-%d %H:%M"))
    print("machine: %d cores (nproc), %s, %.1f GB memory" % (os.cpu_count() or 0, cpu, mem_kb / 1024 / 1024))
    print("commit:  %s %s" % (commit, subject))
    print("figures: TagForge's first run in a fresh process (best of its %d runs beside it), wall time;" % RUNS)
    print("         peers: best of %d processes, run on the same files in this run" % RUNS)
    print()


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--bin", required=True, help="folder holding bench_editor, bench_search, bench_analysis")
    ap.add_argument("--corpus", required=True)
    ap.add_argument("--no-real", action="store_true", help="skip the rows on real_100M.html")
    a = ap.parse_args()
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    editor = os.path.join(a.bin, "bench_editor")
    search = os.path.join(a.bin, "bench_search")
    analysis = os.path.join(a.bin, "bench_analysis")
    c = lambda name: os.path.join(a.corpus, name)
    big, one, u2, u4, real = c("synth_100M.html"), c("min_5M.html"), c("unclosed_2M.html"), \
        c("unclosed_4M.html"), c("real_100M.html")
    use_real = not a.no_real and os.path.exists(real)
    big_name = "synth_100M"

    def step(text):
        sys.stderr.write("== %s\n" % text)
        sys.stderr.flush()

    t = Table()

    # Goals, all on the first run in a fresh process.
    load_ms, parse_ms, links_ms, check_ratio = 400, 800, 400, 0.2
    parse_rss, load_rss = 3, 4

    step("L1 H1 H2: opening and highlighting")
    r = {}
    for mode in ("load", "highlight", "open"):
        r.update(bench(editor, mode, big))
    step("xmllint and tidy on synth_100M")
    xml = Peer(["xmllint", "--html", "--noout", big])
    tidy = Peer(["tidy", "-q", "-errors", big])
    if "L1" in r:
        f = r["L1"]
        ratio = num(f, "load_rss_mb") / num(f, "file_mb")
        t.add("L1", "read, decode, split into the line store", big_name, fmt_ms(num(f, "ms")), best(f),
              goal="<= %d ms; RSS <= %d x file" % (load_ms, load_rss),
              met=num(f, "ms") <= load_ms and ratio <= load_rss,
              rss="%s MB = %.2f x file" % (f["load_rss_mb"], ratio))
    else:
        t.missing("L1", "read, decode, split into the line store", big_name, "program failed")
    if "H1" in r:
        f = r["H1"]
        t.add("H1", "highlighter state of every line", big_name,
              "%s MB/s (%s)" % (f["mb_per_s"], fmt_ms(num(f, "ms"))), best(f),
              goal=">= 100 MB/s", met=num(f, "mb_per_s") >= 100, rss=rss(f), retok=f["retok"])
    if "H2" in r:
        f = r["H2"]
        t.add("H2", "open to fully coloured (L1 + H1)", big_name, fmt_ms(num(f, "ms")), best(f), xml,
              ratio=num(f, "ms") / xml.ms if xml.ms else None, goal="< xmllint --html",
              met=xml.ms is not None and num(f, "ms") < xml.ms, rss=rss(f, xml), retok=f["retok"])

    step("E1 E2 E3: typing in synth_100M")
    r = {}
    for bid in ("E1", "E2", "E3", "E3b"):
        r.update(bench(editor, "type", big, only=bid))
    for bid, what, limit, max_lines in (("E1", "type a character at the end of the last line", 1, 1),
                                        ("E2", "type a character in the middle (no state change)", 1, 2)):
        if bid not in r:
            t.missing(bid, what, big_name, "program failed")
            continue
        f = r[bid]
        t.add(bid, what, big_name, "%s/key (max %s)" % (fmt_ms(num(f, "ms")), fmt_ms(num(f, "max_ms"))),
              best(f, lambda ms: fmt_ms(ms) + "/key"),
              goal="<= %d line%s, < %d ms" % (max_lines, "s" if max_lines > 1 else "", limit),
              met=num(f, "retok") <= max_lines and num(f, "ms") < limit, rss=rss(f), retok="%s per key" % f["retok"])
    for bid, what in (("E3", "type <!-- near the top, then -->"), ("E3b", "type <% near the top, then %> (all later lines)")):
        if bid not in r:
            t.missing(bid, what, big_name, "program failed")
            continue
        f = r[bid]
        ok = num(f, "ms") <= 16 and int(f["wrong_states"]) == 0
        # The slowest block of any round: "never blocks" is about the worst, not the best.
        t.add(bid, what, big_name + " " + f["input"],
              "worst block %s (key %s, slice %s)" % (fmt_ms(num(f, "ms")), fmt_ms(num(f, "key_max_ms")),
                                                     fmt_ms(num(f, "slice_max_ms"))),
              "best round %s" % fmt_ms(num(f, "best_round_ms")),
              goal="no block > 16 ms; states right", met=ok, rss=rss(f),
              retok="<= %s per key; %s in %s slices; %s wrong states" % (
                  f["key_max_retok"], f["slice_retok"], f["slices"], f["wrong_states"]))

    step("E4: typing in min_5M's one line")
    r = bench(editor, "oneline", one)
    if "E4" in r:
        f = r["E4"]
        t.add("E4", "type a character in the middle of the one line", "min_5M",
              "%s/key (max %s)" % (fmt_ms(num(f, "ms")), fmt_ms(num(f, "max_ms"))),
              best(f, lambda ms: fmt_ms(ms) + "/key"), goal="< 16 ms",
              met=num(f, "ms") < 16, rss=rss(f), retok="%s per key" % f["retok"])
    if "E4p" in r:
        f = r["E4p"]
        t.add("E4p", "a key at the end of the one line + colouring the painted columns", "min_5M",
              "%s/key (tokenize %s)" % (fmt_ms(num(f, "ms")), fmt_ms(num(f, "tokenize_ms"))),
              best(f, lambda ms: fmt_ms(ms) + "/key"), goal="< 16 ms",
              met=num(f, "ms") < 16, rss=rss(f), retok="1 line, %s tokens" % f["tokens"])

    step("F1 R1 R2: search and replace, grep and sed")
    r = {}
    for mode, path, ids in (("find", big, ("F1", "F1i")), ("replace", big, ("R1", "R1e")),
                            ("oneline", one, ("R2", "R2x"))):
        for bid in ids:
            r.update(bench(search, mode, path, only=bid))
    grep = Peer(["grep", "-c", "td", big], to_file=True)
    grep_i = Peer(["grep", "-ci", "td", big], to_file=True)
    sed = Peer(["sed", "s/td/TD/g", big])
    sed_one = Peer(["sed", "s/td/TD/g", one])
    for bid, what, peer, limit in (("F1", "find all \"td\" (search engine)", grep, 1.5),
                                   ("F1i", "find all \"td\" ignoring case", grep_i, None)):
        if bid in r:
            f = r[bid]
            ratio = num(f, "ms") / peer.ms if peer.ms else None
            t.add(bid, what + ", %s hits" % f["hits"], big_name, fmt_ms(num(f, "ms")), best(f), peer, ratio=ratio,
                  goal="<= %.1f x grep -c" % limit if limit else "-",
                  met=(ratio is not None and ratio <= limit) if limit else None, rss=rss(f, peer))
    for bid, what, limit in (("R1", "replace all \"td\" by \"TD\" (highlighter on)", 1.0),
                             ("R1e", "same, no highlighter (engine only)", None)):
        if bid in r:
            f = r[bid]
            ratio = num(f, "ms") / sed.ms if sed.ms else None
            t.add(bid, what + ", %s replaced" % f["replaced"], big_name, fmt_ms(num(f, "ms")), best(f), sed,
                  ratio=ratio, goal="<= sed" if limit else "-",
                  met=(ratio is not None and ratio <= limit) if limit else None, rss=rss(f, sed), retok=f["retok"])
    if "R2" in r:
        f = r["R2"]
        t.add("R2", "replace all \"td\" by \"TD\" on the one line, %s replaced" % f["replaced"], "min_5M",
              fmt_ms(num(f, "ms")), best(f), sed_one, ratio=num(f, "ms") / sed_one.ms if sed_one.ms else None,
              goal="< 50 ms", met=num(f, "ms") < 50, rss=rss(f, sed_one), retok=f["retok"])
        if "R2x" in r:
            g = r["R2x"]
            ratio = num(g, "ms") / num(f, "ms")
            t.add("R2x", "same, the line twice (%.2f x the matches)" % (num(g, "replaced") / num(f, "replaced")),
                  "min_5M x2", fmt_ms(num(g, "ms")), best(g), ratio=ratio, peer_ms=num(f, "ms"),
                  goal="<= 2.2 x R2", met=ratio <= 2.2, rss=rss(g), retok=g["retok"])
            t.rows[-1][5] = "R2"

    step("V1 V2 P1 K1: syntax check, parse, links")

    def check_row(bid, path, input_name, peer):
        v = bench(analysis, "check", path).get("V")
        if not v:
            t.missing(bid, "syntax check from the file", input_name, "program failed")
            return None
        ratio = num(v, "ms") / peer.ms if peer.ms else None
        t.add(bid, "syntax check from the file (%s errors; check alone %s)" % (v["errors"], fmt_ms(num(v, "check_ms"))),
              input_name, fmt_ms(num(v, "ms")), best(v), peer, ratio=ratio, goal="<= %.1f x xmllint --html" % check_ratio,
              met=ratio is not None and ratio <= check_ratio, rss=rss(v, peer))
        return v

    v = check_row("V1", big, big_name, xml)
    if v and tidy.ms:
        t.add("V1t", "same, beside tidy", big_name, fmt_ms(num(v, "ms")), best(v), tidy,
              ratio=num(v, "ms") / tidy.ms, rss=rss(v, tidy))
    # Each size's first run in a process of its own, as a user meets it; beside it the ratio of
    # the best runs of both sizes measured turn about in one process.
    small, large = bench(analysis, "scaling", u2, u4, only="V2s").get("V2s"), \
        bench(analysis, "scaling", u2, u4, only="V2l").get("V2l")
    turn = bench(analysis, "scaling", u2, u4)
    if small and large:
        ratio = num(large, "ms") / num(small, "ms")
        beside = "-"
        if "V2s" in turn and "V2l" in turn:
            beside = "%s: %.2f x" % (fmt_ms(num(turn["V2l"], "best")), num(turn["V2l"], "best") / num(turn["V2s"], "best"))
        t.add("V2", "syntax check, twice the unclosed tags (%s vs %s lines)" % (large["lines"], small["lines"]),
              "unclosed_4M vs _2M", fmt_ms(num(large, "ms")), beside, peer_ms=num(small, "ms"), ratio=ratio,
              goal="<= 2.2 x unclosed_2M", met=ratio <= 2.2, rss=rss(large))
        t.rows[-1][5] = "TF on unclosed_2M"
    else:
        t.missing("V2", "syntax check, twice the unclosed tags", "unclosed_4M vs _2M", "program failed")

    def parse_row(bid, path, input_name):
        p = bench(analysis, "parse", path).get("P1")
        if not p:
            t.missing(bid, "parse into tree records", input_name, "program failed")
            return
        # The page's lines are the editor's and are there before the parse: the parse's own
        # memory is its peak above them.
        own = num(p, "first_peak_rss_mb") - num(p, "lines_rss_mb")
        ratio = own / num(p, "file_mb")
        t.add(bid, "parse into tree records (%s records)" % p["records"], input_name, fmt_ms(num(p, "ms")), best(p),
              goal="<= %d ms; parse RSS <= %d x file" % (parse_ms, parse_rss),
              met=num(p, "ms") <= parse_ms and ratio <= parse_rss,
              rss="%s MB: lines %s + parse %.0f = %.2f x file; freed: %s MB" % (
                  p["rss_mb"], p["lines_rss_mb"], own, ratio, p["freed_rss_mb"]))

    def links_row(bid, path, input_name):
        k = bench(analysis, "links", path).get("K1")
        if not k:
            t.missing(bid, "collect and check links", input_name, "program failed")
            return
        t.add(bid, "collect and check links (%s links, %s broken)" % (k["links"], k["broken"]), input_name,
              fmt_ms(num(k, "ms")), best(k), goal="<= %d ms" % links_ms, met=num(k, "ms") <= links_ms, rss=rss(k))

    parse_row("P1", big, big_name)
    links_row("K1", big, big_name)

    step("C1 C2 C3: document tools on synth_10M, sed beside")
    synth10 = c("synth_10M.html")
    if os.path.exists(synth10):
        doctoolrows.add_doctool_rows(t, bench, Peer, num, fmt_ms, best, rss, os.path.join(a.bin, "bench_doctools"),
                                     synth10, os.path.join(repo, "Data", "Characters.dat"))

    step("W1-W5: the window")
    windowrows.add_window_rows(t, a.bin, big, one, fmt_ms)

    if use_real:
        step("the same on real_100M (documentation pages)")
        h = bench(editor, "highlight", real).get("H1")
        if h:
            t.add("H1r", "highlighter state of every line", "real_100M",
                  "%s MB/s (%s)" % (h["mb_per_s"], fmt_ms(num(h, "ms"))), best(h), goal=">= 100 MB/s",
                  met=num(h, "mb_per_s") >= 100, rss=rss(h), retok=h["retok"])
        xml_real = Peer(["xmllint", "--html", "--noout", real])
        check_row("V1r", real, "real_100M", xml_real)
        parse_row("P1r", real, "real_100M")
        links_row("K1r", real, "real_100M")

    machine_header(repo)
    t.print()
    missed = [r[0] for r in t.rows if r[9] == "MISSED"]
    print()
    print("missed: %s" % (", ".join(missed) if missed else "none"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
