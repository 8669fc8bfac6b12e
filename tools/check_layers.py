#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own.

The layers of src/, bottom to top. A file may include headers of its own
layer and of the layers below it, never above: values know nothing of
windows, storage never reaches into the register, and so on. Each upward
include is printed as "file:line: <layer> includes <layer>: <line>".

    tools/check_layers.py [SRC]        check SRC (default: the repo's src/)
    tools/check_layers.py --self-test  show that a planted upward include fails
"""
import os
import re
import sys
import tempfile

LAYERS = ["base", "values", "model", "storage", "ui", "register", "features", "import", "app"]
RANK = {name: i for i, name in enumerate(LAYERS)}
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"/]+)/[^"]*"')


def upward_includes(src):
    found = []
    for root, _, files in os.walk(src):
        for name in sorted(files):
            path = os.path.join(root, name)
            layer = os.path.relpath(path, src).split(os.sep)[0]
            if layer not in RANK:
                continue
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if m and m.group(1) in RANK and RANK[m.group(1)] > RANK[layer]:
                        found.append(f"{path}:{number}: {layer} includes {m.group(1)}: {line.strip()}")
    return sorted(found)


def self_test():
    with tempfile.TemporaryDirectory() as src:
        for rel, text in [("values/date.cpp", '#include "values/date.h"\n#include "base/log.h"\n'),
                          ("app/main.cpp", '#include "storage/options.h"\n#include <windows.h>\n')]:
            os.makedirs(os.path.join(src, os.path.dirname(rel)), exist_ok=True)
            with open(os.path.join(src, rel), "w") as f:
                f.write(text)
        if upward_includes(src):
            print("self-test: a tree without upward includes was refused")
            return 1
        os.makedirs(os.path.join(src, "storage"))
        with open(os.path.join(src, "storage", "planted.cpp"), "w") as f:
            f.write('// fine\n#include "ui/message_box.h"\n')
        found = upward_includes(src)
        if len(found) != 1 or "planted.cpp:2: storage includes ui" not in found[0]:
            print("self-test: the planted upward include was not reported:", found)
            return 1
    print("self-test: a planted upward include is refused")
    return 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    src = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    found = upward_includes(os.path.relpath(src))
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} include(s) point up a layer; the layers, bottom to top: {' < '.join(LAYERS)}")
        return 1
    print("layers: every include points down or stays in its layer")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
