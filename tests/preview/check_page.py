#!/usr/bin/env python3
"""`rastrum preview` end to end: the page parsed as HTML, its structure, its
escaping and its self-containment checked, and the exit statuses.

Usage: check_page.py RASTRUM WORK
       check_page.py RASTRUM WORK --screenshot CHROMIUM SAMPLES OUT.png
The second form renders the preview of SAMPLES at depth 8 in headless
Chromium and saves the screenshot.
"""
import html.parser
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

VOID = {"meta", "img", "br", "hr", "link", "input", "source", "wbr"}
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def bitmap(width, height, pixel):
    """A 24-bit bottom-up BMP file."""
    stride = (width * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):
        row = b"".join(bytes(reversed(pixel(x, y))) for x in range(width))
        rows += row + b"\0" * (stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 0, 0, 0, 0)
    return header + info + rows


class Page(html.parser.HTMLParser):
    """Collects the page's sections, images, facts and any structural fault."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.problems, self.sections, self.summary = [], [], [], {}
        self.doctype, self.style, self.text_into = None, "", None

    def handle_decl(self, decl):
        self.doctype = decl

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag in ("script", "link", "iframe", "object", "embed", "base"):
            self.problems.append(f"<{tag}> in a self-contained page")
        for name in ("src", "href", "srcset", "action"):
            if name in attrs and not attrs[name].startswith("data:image/png;base64,"):
                self.problems.append(f"{tag} {name}={attrs[name][:40]!r} is not an embedded PNG")
        if tag == "section":
            self.sections.append({"class": attrs.get("class"), "line": "", "images": [],
                                  "facts": {}})
        if tag == "img":
            self.sections[-1]["images"].append(attrs)
        if tag == "p" and attrs.get("class") == "line":
            self.text_into = ("line",)
        if tag == "dd":
            target = self.sections[-1]["facts"] if self.sections else self.summary
            self.text_into = ("dd", target, attrs.get("class"))
            target[attrs.get("class")] = ""
        if tag not in VOID:
            self.stack.append(tag)

    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1] != tag:
            self.problems.append(f"</{tag}> closes {self.stack[-1:] or 'nothing'}")
        else:
            self.stack.pop()
        self.text_into = None

    def handle_data(self, data):
        if self.stack and self.stack[-1] == "style":
            self.style += data
        elif self.text_into and self.text_into[0] == "line":
            self.sections[-1]["line"] += data
        elif self.text_into and self.text_into[0] == "dd":
            self.text_into[1][self.text_into[2]] += data


def preview(rastrum, cwd, *args):
    run = subprocess.run([rastrum, "preview", *args], cwd=cwd, capture_output=True)
    return run.returncode, run.stdout.decode("utf-8"), run.stderr.decode("utf-8")


def check_page(rastrum, work):
    shutil.rmtree(work, ignore_errors=True)
    tree = os.path.join(work, "bmp")
    os.makedirs(os.path.join(tree, "sub"))
    os.makedirs(os.path.join(work, "out"))
    gradient = lambda x, y: (x * 40 % 256, y * 60 % 256, 128)
    names = ["plain.bmp", "a&b<c>\"d'e.bmp", b"bad\xff.bmp", "sub/big.bmp"]
    sizes = [(4, 3), (5, 2), (3, 3), (700, 2)]
    for name, (w, h) in zip(names, sizes):
        path = os.path.join(os.fsencode(tree), os.fsencode(name))
        with open(path, "wb") as f:
            f.write(bitmap(w, h, gradient))
    with open(os.path.join(tree, "sub", "broken.bmp"), "wb") as f:
        f.write(b"BM too short")

    status, out, err = preview(rastrum, work, "--depth", "8", "--page", "out/page.html", "bmp")
    check(status == 4, f"a tree with a broken file exited {status}, not 4: {err}")
    with open(os.path.join(work, "out", "page.html"), "rb") as f:
        raw = f.read().decode("utf-8")
    check(raw.startswith("<!DOCTYPE html>\n"), "the page does not start with the HTML5 doctype")
    page = Page()
    page.feed(raw)
    page.close()
    failures.extend(page.problems)
    check(not page.stack, f"elements left open: {page.stack}")
    check("url(" not in page.style and "@import" not in page.style, "the style loads a resource")
    check("image-rendering:pixelated" in page.style, "images are not scaled pixelated")

    lines = out.splitlines()
    check([s["line"] for s in page.sections] == lines,
          f"the sections' lines are not the report's:\n{[s['line'] for s in page.sections]}\n{lines}")
    check(any("bmp/a&b<c>\"d'e.bmp" in line for line in lines), "no line names the markup file")
    check(any("bmp/bad\ufffd.bmp" in line for line in lines), "the invalid byte is not U+FFFD")
    check("a&amp;b&lt;c&gt;&quot;d&#39;e" in raw and "b<c>" not in raw, "a name is not escaped")
    check(b"\xff" not in raw.encode("utf-8"), "a raw invalid byte reached the page")

    pictures = [s for s in page.sections if s["class"] == "picture"]
    rejected = [s for s in page.sections if s["class"] == "rejected"]
    check(len(pictures) == 4 and len(rejected) == 1,
          f"{len(pictures)} picture and {len(rejected)} rejected sections, not 4 and 1")
    check(all("broken.bmp" in s["line"] and not s["images"] for s in rejected),
          "the rejected file's section is wrong")
    offset = 0
    for s in pictures:
        facts = s["facts"]
        width, height = int(facts.get("width", -1)), int(facts.get("height", -1))
        check(len(s["images"]) == 2, f"{s['line']}: {len(s['images'])} images, not 2")
        step = 2 if width == 700 else 1
        for img in s["images"]:
            check(img.get("loading") == "lazy" and img.get("alt"), f"{s['line']}: img attributes")
            zoom = int(img["width"]) // -(-width // step)
            check(zoom >= 1 and int(img["width"]) == zoom * -(-width // step) and
                  int(img["height"]) == zoom * -(-height // step),
                  f"{s['line']}: shown {img['width']}x{img['height']} is not a whole zoom")
        check(facts.get("offset") == f"0x{offset:04x} ({offset})",
              f"{s['line']}: offset {facts.get('offset')}, not {offset}")
        check(facts.get("length") == f"{width * height} bytes", f"{s['line']}: length")
        check(re.fullmatch(r"\d+\.\d\d", facts.get("mean-error", "")) is not None, "mean error")
        offset += width * height
    check(page.summary.get("files") == "5" and page.summary.get("pictures") == "4",
          f"summary counts {page.summary}")
    check(page.summary.get("binary-size") == f"{offset} bytes", "summary binary size")
    check(page.summary.get("format") == "8 bits: R3G2B3", "summary format")
    check(os.listdir(os.path.join(work, "out")) == ["page.html"], "staging files left behind")

    # Exit statuses, as convert's.
    status, _, _ = preview(rastrum, work, "--depth", "8", "bmp/sub", "--ext", "none")
    check(status == 1 and not os.path.exists(os.path.join(work, "preview.html")),
          f"a preview that selects nothing exited {status} or wrote a page")
    status, _, err = preview(rastrum, work, "--page", "missing/page.html", "bmp")
    check(status == 3 and "missing/page.html" in err, f"an unwritable page: {status} {err}")
    for wrong in (["--name", "x"], ["--out", "."], ["--page", "dir/"]):
        status, _, err = preview(rastrum, work, *wrong, "bmp")
        check(status == 2 and "rastrum preview" in err, f"preview {wrong} exited {status}")
    status = subprocess.run([rastrum, "convert", "--page", "p.html", "bmp"], cwd=work,
                            capture_output=True).returncode
    check(status == 2, f"convert --page exited {status}")
    os.remove(os.path.join(tree, "sub", "broken.bmp"))
    status, _, _ = preview(rastrum, work, "bmp")
    check(status == 0 and os.path.exists(os.path.join(work, "preview.html")),
          f"a clean preview exited {status} or wrote no preview.html")


def screenshot(rastrum, work, chromium, samples, target):
    shutil.rmtree(work, ignore_errors=True)
    shutil.copytree(samples, os.path.join(work, "bmp"))
    status, _, err = preview(rastrum, work, "--depth", "8", "bmp")
    check(status == 0, f"preview of the samples exited {status}: {err}")
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    if os.path.exists(target):
        os.remove(target)
    with tempfile.TemporaryDirectory() as profile:
        subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                        "--no-first-run", "--disable-background-networking",
                        "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                        f"--user-data-dir={profile}", f"--screenshot={os.path.abspath(target)}",
                        "--window-size=900,1000",
                        "file://" + os.path.abspath(os.path.join(work, "preview.html"))],
                       capture_output=True, timeout=120)
    shot = b""
    if os.path.exists(target):
        with open(target, "rb") as f:
            shot = f.read()
    check(shot.startswith(b"\x89PNG\r\n\x1a\n") and len(shot) > 20000,
          f"no screenshot of the page in {target} ({len(shot)} bytes)")


def main():
    rastrum, work = os.path.abspath(sys.argv[1]), sys.argv[2]
    if len(sys.argv) > 3 and sys.argv[3] == "--screenshot":
        screenshot(rastrum, work, *sys.argv[4:7])
    else:
        check_page(rastrum, work)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
