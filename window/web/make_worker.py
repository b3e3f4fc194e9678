#!/usr/bin/env python3
"""Writes the page's service worker from offline-worker.js, once every other
file of the page is built: the list of the page's files, and the build's
name, a hash of their names and contents.

usage: make_worker.py TEMPLATE PAGE_DIR OUT_NAME [LEFT_OUT...]
LEFT_OUT: files of the page the worker does not keep."""
import hashlib
import json
import os
import sys


def main():
    template, page, out, *left_out = sys.argv[1:]
    files = sorted(os.path.relpath(os.path.join(folder, name), page).replace(os.sep, "/")
                   for folder, _, names in os.walk(page) for name in names)
    files = [name for name in files if name != out and name not in left_out]
    build = hashlib.sha256()
    for name in files:
        build.update(name.encode() + b"\0")
        with open(os.path.join(page, name), "rb") as f:
            build.update(hashlib.sha256(f.read()).digest())
    # The page's folder itself is its start: "./" is what a visit asks for.
    worker = (open(template).read().replace("@BUILD@", build.hexdigest()[:16])
              .replace("@FILES@", json.dumps(["./"] + files)))
    with open(os.path.join(page, out), "w") as f:
        f.write(worker)


if __name__ == "__main__":
    main()
