// Writes the web page of Form1 from the window's layout table, at build time:
// the page (index.html) with its style sheet in it (the window, its phone
// arrangement and the group below it), the pyramid's style sheet, the app's
// manifest, and the text the window can show, from which the build cuts the
// page's Mincho face. The window is in the page itself, style and all, so
// the browser paints it from the page alone, before any script or font has
// come; the script brings it to life, and then its Mincho face. The small
// script that starts it (START_SCRIPT) is in the page too, named in its
// policy by its hash: a request of its own would come before the first paint.
//   make_page PAGE_DIR GLYPHS_FILE START_SCRIPT [STATIC_PAGE] [--site-url URL]
// STATIC_PAGE: the same window with no script, to measure the page against.
// URL: where the page will be served, for the link preview's absolute
// addresses; without it they are relative to the page.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "Form1Layout.h"
#include "Group.h"
#include "Sha256.h"

namespace {

using namespace Form1Layout;

std::string Utf8(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Escaped(std::u16string_view text)
{
    std::string out;
    for (char c : Utf8(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Css(Colour colour)
{
    char text[32];
    std::snprintf(text, sizeof text, "rgb(%u, %u, %u)", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

// A length of the design, in its pixels (15 twips), scaled with the window.
std::string Scaled(double pixels)
{
    char text[48];
    std::snprintf(text, sizeof text, "calc(var(--u) * %g)", pixels);
    return text;
}

double Pixels(int twips)
{
    return double(twips) / TwipsPerPixel;
}

// Hundredths of a point at 96 dots per inch: 75 make a pixel.
double FontPixels(int pointsX100)
{
    return pointsX100 / 75.0;
}

constexpr double WidthPx = double(ClientWidthTwips) / TwipsPerPixel;
constexpr double HeightPx = double(ClientHeightTwips) / TwipsPerPixel;
constexpr double CaptionPx = 24;
// The caption bar's blue (the refusal's border too), and the shadow that
// lifts the window and the pyramid off the page.
const std::string CaptionBlue = "#1f4e9c";
const std::string RaisedShadow = "0 2px 8px rgba(0, 0, 0, 0.3)";

// The design's face, else the system's Mincho; once the page's script has
// started, the page's own cut of a Mincho before the system's (FaceSheet).
std::string Face()
{
    return "font-family: var(--face);";
}

// The faces. The page's own Mincho is named among them from the start, and
// comes to exist only when start.js adds it, loaded, once the window is
// painted: the first paint waits for no font, and its arrival lays the text
// out again without restyling the page. Without the page's own (the static
// page) the window keeps the system's faces.
std::string FaceSheet(bool ownFace)
{
    const std::string own = ownFace ? "\"Minukape Mincho\", " : "";
    return ":root { --face: \"" + Utf8(DesignFace) + "\", \"MS Mincho\", " + own + "serif; }\n";
}
// Below this width the window would have to shrink: the page arranges it
// for a phone instead.
constexpr int PhoneBelowPx = int(WidthPx);

constexpr std::u16string_view Description =
    u"二人の氏名をひらがなで入力すると、相性度を１～１００で診断する名前占い。";

// The link preview's card, drawn by packaging/icon/make-web-icons.py.
constexpr std::string_view CardFile = "minukape-card.png";
constexpr int CardWidth = 1200;
constexpr int CardHeight = 630;
constexpr std::u16string_view CardAlt = u"ミヌカペの画面: 二人の氏名を入れるボックス、相性を診断するボタン、相性度の表示";

// A name in hiragana, in a name box or the group's field: no corrections of
// any kind, and Japanese input where the platform lets a page ask for it.
constexpr std::string_view NameInput =
    " lang=\"ja\" autocomplete=\"off\" autocapitalize=\"off\" autocorrect=\"off\" spellcheck=\"false\"";

// The controls as they read, top to bottom and left to right: the order a
// screen reader follows, and the phone's column.
std::vector<Form1Layout::Control> ReadingOrder()
{
    std::vector<Form1Layout::Control> controls(Controls.begin(), Controls.end());
    std::stable_sort(controls.begin(), controls.end(), [](const auto &a, const auto &b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    return controls;
}

std::string Control(const Form1Layout::Control &control)
{
    const std::string id(control.name);
    std::string attributes = " id=\"" + id + "\"";
    if (!control.accessibleName.empty())
        attributes += " aria-label=\"" + Escaped(control.accessibleName) + "\"";
    switch (control.kind) {
    case Kind::Label:
        return "<div" + attributes + ">" + Escaped(control.text) + "</div>";
    case Kind::PushButton:
        return "<button type=\"button\"" + attributes + ">" + Escaped(control.text) + "</button>";
    case Kind::TextBox:
        break;
    }
    attributes += " type=\"text\" value=\"" + Escaped(control.text) + "\"";
    if (!control.shown)
        return "<input" + attributes + " hidden>";
    if (control.readOnly)
        return "<input" + attributes + " readonly>";
    return "<input" + attributes + std::string(NameInput) + ">";
}

// The group below the window (Group.js fills it in): its field, its names,
// and once there are two, the ranking, the table and the buttons to send them.
std::string GroupSection()
{
    using namespace GroupText;
    return "<section id=\"Group\" aria-labelledby=\"GroupHeading\">\n<h2 id=\"GroupHeading\">" + Escaped(Heading)
           + "</h2>\n<p>" + Escaped(How) + "</p>\n<div id=\"GroupEntry\"><input id=\"GroupName\" type=\"text\" aria-label=\""
           + Escaped(NameLabel) + "\"" + std::string(NameInput) + "><button type=\"button\" id=\"GroupAdd\">" + Escaped(Add)
           + "</button></div>\n<p id=\"GroupSaid\" role=\"alert\"></p>\n<ul id=\"GroupNames\"></ul>\n"
             "<div id=\"GroupResult\" hidden>\n<p id=\"GroupCount\"></p>\n<h3 id=\"GroupRankingHeading\">"
           + Escaped(Ranking) + "</h3>\n<ol id=\"GroupRanking\"></ol>\n<button type=\"button\" id=\"GroupMore\" hidden></button>\n<h3 id=\"GroupTableHeading\">" + Escaped(Table)
           + "</h3>\n<div id=\"GroupTableView\" role=\"region\" aria-labelledby=\"GroupTableHeading\" tabindex=\"0\">"
             "<table id=\"GroupTable\"><caption class=\"sr-only\">" + Escaped(Table) + "</caption></table></div>\n"
             "<div id=\"GroupSending\"><button type=\"button\" id=\"GroupShare\">" + Escaped(Share)
           + "</button><button type=\"button\" id=\"GroupPicture\"></button></div>\n"
             "<p id=\"GroupShareStatus\" role=\"status\"></p>\n</div>\n</section>\n";
}

// What a chat app or a social site draws a shared link's preview card from
// (Open Graph and Twitter's card): the game, never the pair, whose names stay
// in the link's fragment. siteUrl: the page's own address, or empty.
std::string PreviewTags(const std::string &siteUrl)
{
    const auto tag = [](const char *attribute, const char *name, const std::string &content) {
        return std::string("<meta ") + attribute + "=\"" + name + "\" content=\"" + content + "\">\n";
    };
    std::string tags = tag("property", "og:type", "website") + tag("property", "og:title", Escaped(Caption))
                       + tag("property", "og:description", Escaped(Description))
                       + tag("property", "og:locale", "ja_JP")
                       + tag("property", "og:url", siteUrl.empty() ? "./" : siteUrl)
                       + tag("property", "og:image", siteUrl + std::string(CardFile))
                       + tag("property", "og:image:type", "image/png")
                       + tag("property", "og:image:width", std::to_string(CardWidth))
                       + tag("property", "og:image:height", std::to_string(CardHeight))
                       + tag("property", "og:image:alt", Escaped(CardAlt))
                       + tag("name", "twitter:card", "summary_large_image");
    return tags;
}

// The site's address as the tags need it: absolute, over HTTP(S), ending in
// "/" so the card's name can follow; empty when it is not one.
std::string SiteUrl(std::string url)
{
    const bool web = url.rfind("https://", 0) == 0 || url.rfind("http://", 0) == 0;
    if (!web || url.find_first_of(" \t\n\"'<>#?&") != std::string::npos)
        return {};
    if (url.back() != '/')
        url += '/';
    return url;
}

std::string StyleSheet(bool ownFace);

std::string Page(bool withScript, const std::string &startScript = {}, const std::string &siteUrl = {})
{
    const std::string caption = Escaped(Caption);
    const std::string sheet = StyleSheet(withScript);
    std::string page = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1, interactive-widget=resizes-content\">\n"
                       "<meta name=\"description\" content=\"" + Escaped(Description) + "\">\n"
                       "<meta name=\"theme-color\" content=\"" + Css(FormColour) + "\">\n";
    if (withScript)
        page += PreviewTags(siteUrl);
    if (withScript) {
        // Its own files only, the compiling of its WebAssembly, and the
        // worker that keeps them for play offline.
        page += "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                "script-src 'self' 'sha256-" + sha256::Base64Digest(startScript) + "' 'wasm-unsafe-eval'; "
                "style-src 'self' 'sha256-" + sha256::Base64Digest(sheet)
                + "'; img-src 'self'; font-src 'self'; "
                "connect-src 'self'; worker-src 'self'; manifest-src 'self'; base-uri 'none'; "
                "form-action 'none'\">\n"
                "<meta name=\"referrer\" content=\"no-referrer\">\n";
    }
    page += "<title>" + caption + "</title>\n<link rel=\"icon\" href=\"minukape.png\">\n"
            "<link rel=\"apple-touch-icon\" href=\"minukape-180.png\">\n<style>" + sheet + "</style>\n";
    if (withScript)
        page += "<script>" + startScript + "</script>\n";
    page += "</head>\n<body>\n<div id=\"window\">\n<div id=\"caption\"><img src=\"minukape.png\" alt=\"\">" + caption
            + "</div>\n<div id=\"Form1\">\n";
    for (const Form1Layout::Control &control : ReadingOrder())
        page += Control(control) + "\n";
    page += "</div>\n</div>\n";
    if (withScript)
        page += GroupSection();
    if (withScript) {
        // The score, said once when the count ends; and the refusal.
        page += "<div id=\"Spoken\" class=\"sr-only\" role=\"status\"></div>\n"
                "<dialog id=\"Refusal\" role=\"alertdialog\" aria-labelledby=\"RefusalCaption\" "
                "aria-describedby=\"RefusalText\">\n<div id=\"RefusalCaption\">"
                + caption + "</div>\n<p id=\"RefusalText\"></p>\n<button type=\"button\" id=\"RefusalOK\" autofocus>OK</button>\n"
                "</dialog>\n";
    }
    page += "</body>\n</html>\n";
    return page;
}

std::string Rule(const Form1Layout::Control &control)
{
    std::string rule = "#" + std::string(control.name) + " { left: " + Scaled(Pixels(control.left))
                       + "; top: " + Scaled(Pixels(control.top)) + "; width: " + Scaled(Pixels(control.width))
                       + "; height: " + Scaled(Pixels(control.height))
                       + "; font-size: " + Scaled(FontPixels(control.pointsX100)) + ";";
    if (control.background != PlatformColour)
        rule += " background: " + Css(control.background) + ";";
    if (control.foreground != PlatformColour)
        rule += " color: " + Css(control.foreground) + ";";
    if (control.readOnly)
        rule += " text-align: center; padding: 0; cursor: default;";
    return rule + " }\n";
}

// The phone's size of a control: every text legible (a name box's at least
// 16 px, or Safari zooms the page at each tap into it), every name box and
// the button a finger's height, all as wide as the column.
std::string PhoneRule(const Form1Layout::Control &control)
{
    const double fontPx = FontPixels(control.pointsX100);
    char rule[200];
    switch (control.kind) {
    case Kind::Label:
        std::snprintf(rule, sizeof rule, "height: auto; font-size: %gpx;%s", std::max(fontPx, 15.0),
                      control.top > Row(Text3).top ? " margin-top: auto; text-align: right;" : "");
        break;
    case Kind::PushButton:
        std::snprintf(rule, sizeof rule, "height: 56px; font-size: 18px;");
        break;
    case Kind::TextBox:
        if (control.readOnly)
            // Taller where the screen is, so the score fills the screen.
            std::snprintf(rule, sizeof rule, "flex: 1 0 %gpx; max-height: %gpx; font-size: %gpx;",
                          Pixels(control.height) * 1.25, Pixels(control.height) * 2.5, fontPx);
        else
            std::snprintf(rule, sizeof rule, "height: 48px; font-size: 18px;");
        break;
    }
    return "  #" + std::string(control.name) + " { " + rule + " }\n";
}

// One column, in reading order, filling the screen's height: the window's
// colours, faces and texts, at a phone's sizes.
std::string PhoneSheet()
{
    std::string css = "@media (max-width: " + std::to_string(PhoneBelowPx - 1) + ".98px) {\n"
                      "  :root { --u: 1px; }\n"
                      "  body { padding: 0; }\n"
                      "  #window { width: auto; box-shadow: none; }\n"
                      "  #Form1 { display: flex; flex-direction: column; gap: 12px; width: auto; height: auto; "
                      "min-height: calc(100vh - " + std::to_string(int(CaptionPx)) + "px); min-height: calc(100dvh - "
                      + std::to_string(int(CaptionPx)) + "px); padding: 16px; box-sizing: border-box; }\n"
                      "  #Form1 > * { position: static; width: 100%; }\n"
                      "  #Form1 > div { white-space: normal; line-height: 1.5; }\n";
    for (const Form1Layout::Control &control : Controls)
        if (control.shown)
            css += PhoneRule(control);
    return css + "}\n";
}

// A section of the page's own below the window, as wide as the window, in its
// colour and face, lifted off the page as it is; on a phone, the column's width.
std::string SectionBelowWindow(const std::string &id)
{
    return "#" + id + " { max-width: " + std::to_string(PhoneBelowPx) + "px; margin: 16px auto; padding: 12px 16px 16px; "
           "box-sizing: border-box; background: " + Css(FormColour) + "; " + Face() + " box-shadow: " + RaisedShadow
           + "; }\n@media (max-width: " + std::to_string(PhoneBelowPx - 1) + ".98px) { #" + id
           + " { margin: 0; box-shadow: none; } }\n";
}

// The group below the window, as the pyramid is: the window's colours and
// face, every text legible and every button a finger's size on a phone, the
// scores in the display's colours (at a size their contrast allows), a long
// ranking and a wide table scrolled in place.
std::string GroupSheet()
{
    const std::string display = "background: " + Css(Text3Background) + "; color: " + Css(Text3Foreground) + ";";
    std::string css = SectionBelowWindow("Group") + "#Group { font-size: 16px; }\n";
    css += "#Group h2 { margin: 0 0 8px; font-size: 18px; font-weight: normal; }\n";
    css += "#Group h3 { margin: 16px 0 8px; font-size: 16px; font-weight: normal; }\n";
    css += "#Group p { margin: 0 0 8px; font-size: 14px; line-height: 1.5; overflow-wrap: anywhere; }\n";
    css += "#Group button, #GroupName { min-height: 44px; font: inherit; }\n";
    css += "#GroupEntry { display: flex; gap: 8px; margin-bottom: 8px; }\n";
    css += "#GroupName { flex: 1; min-width: 0; font-size: 18px; }\n";
    css += "#GroupNames { display: flex; flex-wrap: wrap; gap: 8px; list-style: none; margin: 0; padding: 0; }\n";
    css += "#GroupNames li { display: flex; align-items: center; gap: 4px; max-width: 100%; padding-left: 8px; "
           "background: #fff; border: 1px solid #767676; overflow-wrap: anywhere; }\n";
    css += "#GroupRanking { list-style: none; margin: 0; padding: 0; }\n";
    css += "#GroupMore { width: 100%; }\n";
    css += "#GroupRanking button { display: flex; align-items: center; gap: 8px; width: 100%; margin-bottom: 4px; "
           "text-align: start; }\n";
    css += "#GroupRanking .rank { flex: none; min-width: 3em; }\n";
    // A line breaks between the two names, not inside one, unless it is longer than a line.
    css += "#GroupRanking .pair { flex: 1; overflow-wrap: anywhere; }\n";
    css += "#GroupRanking .pair span { display: inline-block; }\n";
    css += "#GroupRanking .score { flex: none; min-width: 2.2em; text-align: center; font-size: 24px; " + display + " }\n";
    css += "#GroupTableView { max-height: 70vh; overflow: auto; }\n";
    css += "#GroupTable { border-collapse: collapse; font-size: 14px; background: #fff; }\n";
    css += "#GroupTable th, #GroupTable td { min-width: 2em; padding: 4px; border: 1px solid #767676; "
           "font-weight: normal; text-align: center; }\n";
    css += "#GroupTable th div { max-height: 8em; max-width: 8em; overflow: hidden; text-overflow: ellipsis; "
           "white-space: nowrap; }\n";
    css += "#GroupTable thead div { margin: 0 auto; writing-mode: vertical-rl; }\n";
    css += "#GroupTable td[data-second] { cursor: pointer; }\n";
    css += "#GroupTable td.best { outline: 3px solid " + Css(Text3Background) + "; outline-offset: -3px; }\n";
    css += "#GroupSending { display: flex; gap: 8px; margin-top: 12px; }\n";
    css += "#GroupSending button { flex: 1; }\n";
    css += "#GroupShareStatus { min-height: 1.5em; }\n";
    return css;
}

std::string StyleSheet(bool ownFace)
{
    char fit[160];
    // One design pixel: a CSS pixel, or less where the page is narrower
    // than the window, so the whole window keeps its proportions. The page's
    // width is the body's (a container), which a scroll bar takes from.
    std::snprintf(fit, sizeof fit, ":root { --edge: 16px; --u: min(1px, calc(100cqw / %g)); }\n",
                  WidthPx);
    const std::string face = Face();
    std::string css = FaceSheet(ownFace) + fit;
    css += "@media (max-width: " + std::to_string(int(WidthPx) + 32) + "px) { :root { --edge: 0px; } }\n";
    css += "body { margin: 0; padding: var(--edge); background: #e8e8ee; container-type: inline-size; }\n";
    css += "#window { width: " + Scaled(WidthPx) + "; margin: 0 auto; box-shadow: " + RaisedShadow + "; }\n";
    css += "#caption, #RefusalCaption { display: flex; align-items: center; gap: " + Scaled(6) + "; height: "
           + Scaled(CaptionPx) + "; padding: 0 " + Scaled(6) + "; background: " + CaptionBlue + "; color: #fff; " + face
           + " font-size: " + Scaled(FontPixels(DefaultPointsX100)) + "; user-select: none; }\n";
    css += "#caption img { width: " + Scaled(16) + "; height: " + Scaled(16) + "; }\n";
    css += "#Form1 { position: relative; overflow: hidden; width: " + Scaled(WidthPx) + "; height: "
           + Scaled(HeightPx) + "; background: " + Css(FormColour) + "; " + face
           + " font-size: " + Scaled(FontPixels(DefaultPointsX100)) + "; }\n";
    css += "#Form1 > * { position: absolute; box-sizing: border-box; margin: 0; font-family: inherit; "
           "line-height: normal; }\n";
    css += "#Form1 > div { white-space: nowrap; overflow: hidden; }\n";
    for (const Form1Layout::Control &control : Controls)
        css += Rule(control);
    // Read by a screen reader, never seen; placed at the top, so the page is no taller for it.
    css += ".sr-only { position: absolute; top: 0; left: 0; width: 1px; height: 1px; overflow: hidden; clip-path: inset(50%); "
           "white-space: nowrap; }\n";
    css += "#Refusal { padding: 0; border: 1px solid " + CaptionBlue + "; min-width: " + Scaled(240) + "; " + face
           + " font-size: " + Scaled(FontPixels(DefaultPointsX100)) + "; }\n";
    css += "#Refusal p { margin: " + Scaled(20) + " " + Scaled(24) + "; }\n";
    css += "#RefusalOK { display: block; margin: 0 auto " + Scaled(14) + "; min-width: " + Scaled(80)
           + "; font: inherit; }\n";
    return css + PhoneSheet() + GroupSheet();
}

// The pyramid of how the score was made, below the window (Pyramid.js builds it): the
// window's colours and face, the pyramid's cells as wide as a phone allows,
// its last two digits in the display's colours.
std::string PyramidSheet()
{
    std::string css = SectionBelowWindow("Pyramid");
    css += "#Pyramid h2 { margin: 0 0 12px; font-size: 18px; font-weight: normal; }\n";
    css += "#PyramidRows { --cell: min(28px, calc((min(100vw, " + std::to_string(PhoneBelowPx)
           + "px) - 32px) / var(--n))); list-style: none; margin: 0; padding: 0; }\n";
    css += "#PyramidRows { width: fit-content; margin: 0 auto; }\n";
    css += "#PyramidRows .cells { display: flex; padding-left: calc(var(--cell) / 2 * var(--shift)); }\n";
    css += "#PyramidRows .cells span { flex: none; width: var(--cell); line-height: calc(var(--cell) * 1.2); "
           "text-align: center; font-size: max(12px, calc(var(--cell) * 0.62)); }\n";
    css += "#PyramidRows li:last-child .cells span { background: " + Css(Text3Background) + "; color: "
           + Css(Text3Foreground) + "; }\n";
    css += "#PyramidLeftOut { margin: 8px 0; font-size: 14px; line-height: 1.5; }\n";
    css += "#PyramidScore { margin: 12px 0; font-size: 16px; }\n";
    css += "#Sending { display: flex; flex-wrap: wrap; gap: 8px; }\n";
    css += "#GroupBack { flex-basis: 100% !important; }\n";
    css += "#Sending button { flex: 1; min-height: 48px; font: inherit; font-size: 16px; }\n";
    css += "#ShareStatus { min-height: 1.5em; margin: 8px 0 0; font-size: 14px; overflow-wrap: anywhere; }\n";
    return css;
}

// The page as an app a phone installs: named, coloured and drawn from the
// window's table and icon, opening the page's own folder.
std::string Manifest()
{
    const std::string name = Utf8(Caption);
    return "{\n  \"name\": \"" + name + "\",\n  \"short_name\": \"" + name
           + "\",\n  \"description\": \"" + Utf8(Description)
           + "\",\n  \"lang\": \"ja\",\n  \"start_url\": \"./\",\n  \"scope\": \"./\",\n"
             "  \"display\": \"standalone\",\n  \"background_color\": \"" + Css(FormColour)
           + "\",\n  \"theme_color\": \"" + Css(FormColour)
           + "\",\n  \"icons\": [\n"
             "    {\"src\": \"minukape-192.png\", \"sizes\": \"192x192\", \"type\": \"image/png\"},\n"
             "    {\"src\": \"minukape-512.png\", \"sizes\": \"512x512\", \"type\": \"image/png\"},\n"
             "    {\"src\": \"minukape-maskable-512.png\", \"sizes\": \"512x512\", \"type\": \"image/png\", "
             "\"purpose\": \"maskable\"}\n  ]\n}\n";
}

// Every character the window can show by itself. (What a person may type
// into a name box the build adds, as far as the face has it.)
std::string Glyphs()
{
    std::u16string text(Caption);
    for (const Form1Layout::Control &control : Controls)
        text += control.text;
    text += u"OK0123456789";
    text += Form1Text::Refusal;
    for (std::u16string_view words : {GroupText::Heading, GroupText::How, GroupText::NameLabel, GroupText::Add,
                                      GroupText::Ranking, GroupText::Table, GroupText::Share, GroupText::Full})
        text += words;
    return Utf8(text);
}

bool Read(const std::string &path, std::string &content)
{
    std::ifstream in(path, std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in) {
        std::cerr << "make_page: cannot read " << path << "\n";
        return false;
    }
    return true;
}

bool Write(const std::string &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
    if (!out) {
        std::cerr << "make_page: cannot write " << path << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string siteUrl;
    const auto option = std::find(args.begin(), args.end(), "--site-url");
    if (option != args.end()) {
        // Given empty (or dropped, as CMake drops an empty argument), as a
        // build without an address passes it: relative addresses.
        const std::string url = option + 1 != args.end() ? option[1] : "";
        if (!url.empty() && (siteUrl = SiteUrl(url)).empty()) {
            std::cerr << "make_page: --site-url wants the page's address, such as https://example.org/minukape/\n";
            return 2;
        }
        args.erase(option, option + 1 != args.end() ? option + 2 : option + 1);
    }
    if (args.size() != 3 && args.size() != 4) {
        std::cerr << "usage: make_page PAGE_DIR GLYPHS_FILE START_SCRIPT [STATIC_PAGE] [--site-url URL]\n";
        return 2;
    }
    const std::string &dir = args[0];
    std::string startScript;
    const bool written = Read(args[2], startScript) && Write(dir + "/index.html", Page(true, startScript, siteUrl))
                         && Write(dir + "/Pyramid.css", PyramidSheet())
                         && Write(dir + "/manifest.webmanifest", Manifest())
                         && Write(args[1], Glyphs()) && (args.size() != 4 || Write(args[3], Page(false)));
    return written ? 0 : 1;
}
