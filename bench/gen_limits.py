#!/usr/bin/env python3
"""Writes the resource-limit pages into a folder (default bench/corpus); a page already there is kept.

  limits_1G.html        a hand-written-looking page of about 1 GiB on many lines
  limits_line_50M.html  one line of 50 MB (a minified page), then a final line break
  limits_nested_100k.html  100,000 nested <div> elements, each tag on a line of its own
  limits_links_1M.html  a page of 1,000,000 links to local pages, one per line
"""
import os
import sys

MB = 1024 * 1024


def write(path, chunks):
    if os.path.exists(path):
        return
    tmp = path + ".part"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        for chunk in chunks:
            f.write(chunk)
    os.replace(tmp, path)
    print(f"wrote {path} ({os.path.getsize(path) // MB} MB)", file=sys.stderr)


def big_page(target):
    yield "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Limits</title>\n</head>\n<body>\n"
    block = []
    for i in range(200):
        block.append(
            f"<h2 id=\"s{i}\">Section {i}</h2>\n"
            f"<p class=\"intro\">Some <em>text</em> with a <a href=\"page{i % 50}.html\">link</a> and &amp; an "
            f"entity, caf\u00e9 and na\u00efve words; <strong>bold {i}</strong>.</p>\n"
            f"<table border=\"1\"><tr><td>{i}</td><td colspan=2>cell</td></tr></table>\n"
            "<!-- a comment -->\n<ul>\n<li>one</li>\n<li>two</li>\n</ul>\n")
    block = "".join(block)
    written = 0
    while written < target:
        yield block
        written += len(block.encode("utf-8"))
    yield "</body>\n</html>\n"


def long_line(target):
    yield "<!DOCTYPE html><html><head><title>One line</title></head><body>"
    piece = "<div class=\"c\"><span>word</span> <a href=\"x.html\">link</a> &amp; more</div>" * 64
    written = 0
    while written < target:
        yield piece
        written += len(piece)
    yield "</body></html>\n"


def nested(depth):
    yield "<!DOCTYPE html>\n<html>\n<head><title>Nested</title></head>\n<body>\n"
    for i in range(depth):
        yield f"<div id=\"d{i}\">\n"
    yield "deep\n"
    for _ in range(depth):
        yield "</div>\n"
    yield "</body>\n</html>\n"


def links(count):
    yield "<!DOCTYPE html>\n<html>\n<head><title>Links</title></head>\n<body>\n<ul>\n"
    for i in range(count):
        yield f"<li><a href=\"pages/page{i}.html\">Page {i}</a></li>\n"
    yield "</ul>\n</body>\n</html>\n"


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus")
    os.makedirs(out, exist_ok=True)
    write(os.path.join(out, "limits_1G.html"), big_page(1024 * MB))
    write(os.path.join(out, "limits_line_50M.html"), long_line(50 * MB))
    write(os.path.join(out, "limits_nested_100k.html"), nested(100_000))
    write(os.path.join(out, "limits_links_1M.html"), links(1_000_000))


if __name__ == "__main__":
    main()
