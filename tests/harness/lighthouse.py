"""Lighthouse's view of the page, in Debian's Chromium: the pinned Lighthouse from
tests/web/node_modules, its category scores and the host's audits."""
import json
import os
import subprocess

from harness.browser import free_port


# Lighthouse's audits of what only the host can set: none of them weighs in a
# category's score.
HOST_AUDITS = ("uses-text-compression", "uses-long-cache-ttl")


def lighthouse(desktop, url, form_factor):
    """Lighthouse's audit of the page in Debian's Chromium as a phone ("mobile") or a computer
    ("desktop"): each category's score from 0 to 100, and the host's audits' scores."""
    result = report(desktop, url, form_factor)
    scores = {name: None if category["score"] is None else round(category["score"] * 100)
              for name, category in result["categories"].items()}
    host = {audit: result["audits"][audit]["score"] for audit in HOST_AUDITS if audit in result["audits"]}
    return scores, host


def weighted(result):
    """The audits that make the performance score, by name: (their score from 0 to 1, their value)."""
    return {ref["id"]: (result["audits"][ref["id"]]["score"], result["audits"][ref["id"]]["numericValue"])
            for ref in result["categories"]["performance"]["auditRefs"] if ref["weight"] > 0}


def report(desktop, url, form_factor):
    """Lighthouse's whole report, as its JSON says it. At the lowest priority: its browser works
    hard, and must not starve the sound other tests record."""
    path = desktop.path(f"lighthouse-{form_factor}-{free_port()}.json")
    tool = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web", "node_modules", ".bin", "lighthouse")
    flags = ["--preset=desktop"] if form_factor == "desktop" else []
    subprocess.run(["nice", "-n", "19", tool, url, "--quiet", "--output=json", f"--output-path={path}", *flags,
                    "--chrome-flags=--headless=new --no-sandbox --disable-gpu --no-first-run "
                    "--disable-background-networking --disable-component-update --disable-sync"],
                   env=dict(desktop.env, CHROME_PATH="/usr/bin/chromium"), check=True, timeout=300,
                   stdout=subprocess.DEVNULL)
    with open(path) as f:
        return json.load(f)
