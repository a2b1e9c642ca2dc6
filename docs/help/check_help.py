"""Checks the help sources: check_help.py HELPDIR.

A broken link or a page left out of the project compiles without a word
from chmcmd and only shows as a blank pane in the viewer, so both are
caught here.
"""

import html.parser
import os
import re
import sys


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.hrefs = []
        self.anchors = set()
        self.headings = 0
        self.tables = 0
        self.title = ""
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "a" and "href" in attrs:
            self.hrefs.append(attrs["href"])
        if tag == "a" and "name" in attrs:
            self.anchors.add(attrs["name"])
        if tag == "param" and attrs.get("name") == "Local":
            self.hrefs.append(attrs["value"])
        if tag == "h1":
            self.headings += 1
        if tag == "table":
            self.tables += 1
        if tag == "title":
            self._in_title = True

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def parse(path):
    parser = Links()
    with open(path, encoding="cp1252") as f:
        parser.feed(f.read())
    return parser


def main(argv):
    folder = argv[1]
    failures = []
    with open(os.path.join(folder, "Dotwell.hhp"), encoding="cp1252") as f:
        project = f.read()
    listed = set(re.search(r"\[FILES\]\n(.*)", project, re.S).group(1).split())
    pages = {name for name in os.listdir(folder) if name.endswith(".htm")}
    for name in sorted(pages - listed):
        failures.append("%s is not in the [FILES] list of Dotwell.hhp" % name)
    for name in sorted(listed):
        if not os.path.exists(os.path.join(folder, name)):
            failures.append("Dotwell.hhp lists %s, which does not exist" % name)

    parsed = {name: parse(os.path.join(folder, name)) for name in pages}
    in_toc = set()
    for nav in ("toc.hhc", "index.hhk"):
        parsed[nav] = parse(os.path.join(folder, nav))
        in_toc.update(href.split("#")[0] for href in parsed[nav].hrefs)
    for name in sorted(pages - in_toc):
        failures.append("%s is not reachable from the contents or the index" % name)

    for name, page in sorted(parsed.items()):
        for href in page.hrefs:
            target, _, anchor = href.partition("#")
            if not target or "://" in href:
                continue
            if target not in pages:
                failures.append("%s links to missing %s" % (name, href))
            elif anchor and anchor not in parsed[target].anchors:
                failures.append("%s links to missing anchor %s" % (name, href))
        if name.endswith(".htm"):
            # Screen readers navigate by headings; layout tables read badly.
            if page.headings != 1:
                failures.append("%s has %d h1 headings, want 1" % (name, page.headings))
            if page.tables:
                failures.append("%s uses a table" % name)
            if not page.title.strip():
                failures.append("%s has no title" % name)

    for message in failures:
        print("FAIL:", message)
    print("help sources: %d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
