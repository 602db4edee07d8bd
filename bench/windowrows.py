"""The window rows (W1-W5): bench_window run in fresh processes on the offscreen platform."""
import os
import subprocess
import sys
import time


def _run(binary, *args, timeout=900):
    """One fresh process; its BENCH lines as dicts (a list: W2 prints one per place)."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QTWEBENGINE_DISABLE_SANDBOX="1")
    try:
        proc = subprocess.run([binary, *args], capture_output=True, text=True, timeout=timeout, env=env)
    except subprocess.TimeoutExpired:
        sys.stderr.write("%s timed out\n" % " ".join([binary, *args]))
        return []
    if proc.returncode != 0:
        sys.stderr.write("%s failed (%d)\n" % (" ".join([binary, *args]), proc.returncode))
        return []
    out = []
    for line in proc.stdout.splitlines():
        if line.startswith("BENCH\t"):
            out.append(dict(f.split("=", 1) for f in line.split("\t")[1:]))
    return out


def _launched(binary, mode, *args):
    """Runs a mode that is timed from just before the process started."""
    return _run(binary, mode, *args, str(time.monotonic_ns()))


def _drop_caches():
    """Empties the page cache for a cold start; False when not allowed (not root, a container)."""
    try:
        subprocess.run(["sync"], check=False)
        with open("/proc/sys/vm/drop_caches", "w") as f:
            f.write("3\n")
        return True
    except OSError:
        return False


def add_window_rows(t, bin_dir, big, one, fmt_ms):
    binary = os.path.join(bin_dir, "bench_window")
    if not os.path.exists(binary):
        t.missing("W1", "the window", "-", "bench_window not built")
        return
    size_mb = os.path.getsize(big) / 1e6
    r = _launched(binary, "open", big)
    if r:
        w = r[0]
        first, rss_mb = float(w["first_paint_ms"]), float(w["rss_mb"])
        t.add("W1", "open from the command line: first painted page (coloured at %s)" % fmt_ms(float(w["coloured_ms"])),
              "synth_100M", fmt_ms(first), goal="<= 1 s; RSS <= 3.5 x file",
              met=first <= 1000 and rss_mb <= 3.5 * size_mb, rss="%.0f MB = %.2f x file" % (rss_mb, rss_mb / size_mb))
    else:
        t.missing("W1", "open from the command line", "synth_100M", "program failed")

    for path, bid, name in ((big, "W2", "synth_100M"), (one, "W4", "min_5M")):
        rows = _run(binary, "type", path)
        idle = [w for w in rows if w["id"] == "W2idle"]
        for w in (w for w in rows if w["id"] == "W2"):
            p99 = float(w["p99_ms"])
            t.add(bid, "type 200 keys at the %s, tree + preview + refresh on: key to paint p50 %s, max %s (%s)"
                  % (w["place"], fmt_ms(float(w["p50_ms"])), fmt_ms(float(w["max_ms"])), w.get("worst_event", "")),
                  name, "p99 " + fmt_ms(p99), goal="p99 <= 16 ms", met=p99 <= 16, rss="%s MB" % w["rss_mb"])
        for w in idle:
            worst = float(w["worst_frame_ms"])
            t.add(bid + "i", "idle 5 s after typing: longest frame from timers (%s)" % w.get("worst_event", ""),
                  name, fmt_ms(worst), goal="no frame > 50 ms", met=worst <= 50, rss="%s MB" % w["rss_mb"])
        if not rows:
            t.missing(bid, "typing in the window", name, "program failed")

    r = _run(binary, "pagedown", big, "10000")
    if r:
        w = r[0]
        p99 = float(w["p99_ms"])
        t.add("W3", "page down %s screens: p50 %s, max %s" % (w["screens"], fmt_ms(float(w["p50_ms"])),
                                                            fmt_ms(float(w["max_ms"]))),
              "synth_100M", "p99 " + fmt_ms(p99), goal="p99 <= 16 ms", met=p99 <= 16, rss="%s MB" % w["rss_mb"])
    else:
        t.missing("W3", "page down", "synth_100M", "program failed")

    cold = _drop_caches()
    first = _launched(binary, "startup")
    warm = [_launched(binary, "startup") for _ in range(3)]
    warm_ms = [float(w[0]["first_paint_ms"]) for w in warm if w]
    if first and warm_ms:
        best = min(warm_ms)
        label = "cold (page cache dropped)" if cold else "first after the others (cache not droppable here)"
        t.add("W5", "start-up, no file, to the first painted window; %s %s" % (label, fmt_ms(float(first[0]["first_paint_ms"]))),
              "-", "warm " + fmt_ms(best), goal="<= 0.5 s warm", met=best <= 500, rss="%s MB" % warm[0][0]["rss_mb"])
    else:
        t.missing("W5", "start-up", "-", "program failed")
