"""The document tool rows (C1-C3): bench_doctools beside sed with the same rules, on synth_10M."""
import os
import re
import tempfile


def _sed_escape(text):
    return re.sub(r"([\\/&.\[\]*^$])", r"\\\1", text)


def _entity_script(table_path, out):
    """One sed substitution per character table row, in the table's order (the rows for the markup
    characters left out, as the conversion leaves them)."""
    with open(table_path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n").lstrip()
            if not line or line.startswith("//"):
                continue
            parts = line.split(" ")
            if len(parts) < 2 or parts[0] in ("&", "<", ">") or not parts[1]:
                continue
            out.write("s/%s/%s/g\n" % (_sed_escape(parts[0]), _sed_escape(parts[1])))


def dated_copy(source, target, statements=1000):
    """source with `statements` date stamps spread evenly over its lines."""
    with open(source, encoding="utf-8", newline="") as f:
        lines = f.read().split("\n")
    step = max(1, len(lines) // statements)
    stamp = "<!--Date(dd.mm.yy hh:nn:ss)-->01.01.90 00:00:00<!--/Date-->"
    for k in range(statements):
        i = min(len(lines) - 1, k * step)
        lines[i] = stamp + lines[i]
    with open(target, "w", encoding="utf-8", newline="") as f:
        f.write("\n".join(lines))


def add_doctool_rows(t, bench, Peer, num, fmt_ms, best, rss, binary, synth10, table_path):
    name = os.path.basename(synth10).rsplit(".", 1)[0]
    with tempfile.TemporaryDirectory() as tmp:
        script = os.path.join(tmp, "entities.sed")
        with open(script, "w", encoding="utf-8") as out:
            _entity_script(table_path, out)
        sed = Peer(["env", "LC_ALL=C", "sed", "-f", script, synth10])
        sed.label = "sed -f (one s///g per table row)"
        r = bench(binary, "entities", synth10, table_path)
        if "C1" in r:
            f = r["C1"]
            ratio = num(f, "ms") / sed.ms if sed.ms else None
            t.add("C1", "characters to entities, one pass (%s chars added)" % f["grown_chars"], name,
                  fmt_ms(num(f, "ms")), best(f), sed, ratio=ratio, goal="<= 0.5 x sed",
                  met=ratio is not None and ratio <= 0.5, rss=rss(f, sed))
        else:
            t.missing("C1", "characters to entities", name, "program failed")

        sed_case = Peer(["env", "LC_ALL=C", "sed", "-E", r"s/<([^ \t\r>]*)/<\U\1/g", synth10])
        sed_case.label = "sed -E 's/<(name)/<\\U\\1/g'"
        r = bench(binary, "tagcase", synth10)
        if "C2" in r:
            f = r["C2"]
            ratio = num(f, "ms") / sed_case.ms if sed_case.ms else None
            t.add("C2", "tag names to upper case, one pass over the command's own copy (%s chars changed)" % f["changed_chars"], name,
                  fmt_ms(num(f, "ms")), best(f), sed_case, ratio=ratio, goal="<= 0.25 x sed",
                  met=ratio is not None and ratio <= 0.25, rss=rss(f, sed_case))
        else:
            t.missing("C2", "tag names to upper case", name, "program failed")

        dated = os.path.join(tmp, name + "_dated.html")
        dated_copy(synth10, dated)
        sed_dates = Peer(["env", "LC_ALL=C", "sed", "-E",
                          r"s/(<!--[Dd][Aa][Tt][Ee][^>]*-->)[^<]*(<!--\/[Dd][Aa][Tt][Ee]-->)/\1x\2/g", dated])
        sed_dates.label = "sed -E (stamps)"
        r = bench(binary, "autodate", dated)
        if "C3" in r:
            f = r["C3"]
            t.add("C3", "refresh %s date stamps in the editor (scan %s), one undo step" % (
                      f["statements"], fmt_ms(num(f, "scan_ms"))), name + " + 1000 stamps",
                  fmt_ms(num(f, "ms")), best(f), sed_dates, ratio=num(f, "ms") / sed_dates.ms if sed_dates.ms else None,
                  goal="< 50 ms", met=num(f, "ms") < 50 and f["replaced"] == f["statements"], rss=rss(f, sed_dates))
        else:
            t.missing("C3", "refresh date stamps", name, "program failed")
