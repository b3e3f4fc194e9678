"""Takes the page's pictures docs/web.md shows, on a phone 360 px wide in headless
Chromium: how the score was made (the sample game played, scrolled to the pyramid
and the buttons that send the result), or みんなの相性 (a group of 8 opened by its
link, scrolled to it). Run by scripts/screenshot.sh, with tests/ on
PYTHONPATH.
    pyramid_shot.py PAGE_FOLDER OUT.png [group]"""
import base64
import sys
from urllib.parse import quote

from harness.browser import Chromium, serve
from harness.checks import wait_for
from harness.desktop import Desktop


# The group the picture shows, as the page's tests play it.
GROUP = ["やまだたろう", "すずきはなこ", "さとうけんた", "たなかゆい", "いとうしょう", "わたなべあい", "こばやしりく", "かとうみお"]


def show_pyramid(browser):
    browser.open()
    browser.click("Command1")  # the sample names the window starts with
    wait_for(lambda: browser.evaluate("(p => p && !p.hidden)(document.getElementById('Pyramid'))"),
             what="the pyramid shown")
    # Scrolled as a person would to see the whole pyramid, its buttons at the foot of the screen.
    browser.evaluate("document.getElementById('Sending').scrollIntoView({block: 'end'})")


def show_group(browser):
    browser.open("/#group&" + "&".join(map(quote, GROUP)))
    browser.evaluate("document.getElementById('Group').scrollIntoView({block: 'start'})")


def main(page, out, what="pyramid"):
    with Desktop(bus=False) as desktop:
        browser = Chromium(desktop, serve(desktop, page))
        try:
            browser.call("Emulation.setDeviceMetricsOverride", width=360, height=740, deviceScaleFactor=1,
                         mobile=True)
            show_group(browser) if what == "group" else show_pyramid(browser)
            # Taken once the fonts are in and the page has painted twice since.
            browser.evaluate("document.fonts.ready.then(() => new Promise(done =>"
                             " requestAnimationFrame(() => requestAnimationFrame(done))))")
            shot = browser.call("Page.captureScreenshot", format="png")
        finally:
            browser.quit()
    with open(out, "wb") as f:
        f.write(base64.b64decode(shot["data"]))


if __name__ == "__main__":
    main(*sys.argv[1:])
