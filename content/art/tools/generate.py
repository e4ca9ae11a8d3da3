#!/usr/bin/env python3
"""Writes the edition's generated picture sources (content/art/*.svg).

    generate.py            write every generated SVG next to this folder
    generate.py --check    exit 1 when a committed SVG differs from what the generators write
    generate.py --list     print the generated names with their sizes
    generate.py NAME...    write only the named pictures
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import backgrounds  # noqa: E402
import citymaps  # noqa: E402
import flags  # noqa: E402
import icons  # noqa: E402
import metro  # noqa: E402
import scenes  # noqa: E402
import svglib  # noqa: E402
import ui  # noqa: E402
import weather  # noqa: E402

MODULES = [ui, icons, flags, weather, backgrounds, metro, citymaps, scenes]
ART_DIR = os.path.dirname(HERE)


def collect():
    pictures = {}
    for module in MODULES:
        for name, svg in module.pictures().items():
            if name in pictures:
                raise SystemExit(f"generate.py: {name} is made twice")
            pictures[name] = svg
    return pictures


def main(argv):
    pictures = collect()
    if "--list" in argv:
        for name, svg in sorted(pictures.items()):
            print(f"{name}\t{svg.width} x {svg.height}")
        return 0
    if "--check" in argv:
        stale = []
        for name, svg in sorted(pictures.items()):
            path = os.path.join(ART_DIR, name + ".svg")
            try:
                with open(path, encoding="utf-8") as f:
                    if f.read() == svg.text():
                        continue
            except FileNotFoundError:
                pass
            stale.append(name)
        for name in stale:
            print(f"generate.py: {name}.svg is not what the generators write; run generate.py")
        print(f"{len(pictures) - len(stale)} passed, {len(stale)} failed")
        return 1 if stale else 0
    wanted = [a for a in argv if not a.startswith("-")]
    written = 0
    for name, svg in sorted(pictures.items()):
        if wanted and name not in wanted:
            continue
        path = os.path.join(ART_DIR, name + ".svg")
        content = svg.text()
        if svglib.unchanged(path, content):
            continue
        with open(path, "w", encoding="utf-8") as f:
            f.write(content)
        written += 1
    print(f"{written} written, {len(pictures)} generated")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
