"""Takes the page's picture of how the score was made, as docs/web.md shows it: the
sample game played on a phone 360 px wide in headless Chromium, scrolled to the
pyramid and the buttons that send the result. Run by scripts/screenshot.sh,
with tests/ on PYTHONPATH.
    pyramid_shot.py PAGE_FOLDER OUT.png"""
import base64
import sys

from harness.browser import Chromium, serve
from harness.checks import wait_for
from harness.desktop import Desktop


def main(page, out):
    with Desktop(bus=False) as desktop:
        browser = Chromium(desktop, serve(desktop, page))
        try:
            browser.call("Emulation.setDeviceMetricsOverride", width=360, height=740, deviceScaleFactor=1,
                         mobile=True)
            browser.open()
            browser.click("Command1")  # the sample names the window starts with
            wait_for(lambda: browser.evaluate("(p => p && !p.hidden)(document.getElementById('Pyramid'))"),
                     what="the pyramid shown")
            # Scrolled as a person would to see the whole pyramid, its buttons at the foot of the
            # screen; taken once the fonts are in and the page has painted twice since.
            browser.evaluate("document.getElementById('Sending').scrollIntoView({block: 'end'})")
            browser.evaluate("document.fonts.ready.then(() => new Promise(done =>"
                             " requestAnimationFrame(() => requestAnimationFrame(done))))")
            shot = browser.call("Page.captureScreenshot", format="png")
        finally:
            browser.quit()
    with open(out, "wb") as f:
        f.write(base64.b64decode(shot["data"]))


if __name__ == "__main__":
    main(*sys.argv[1:])
