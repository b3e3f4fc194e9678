// Prints the window's layout table as JSON, in the design's pixels (15 twips)
// and CSS colours, with the page's pyramid's widest row, for the scripts
// that hold the web page against them.
#include <cstdio>
#include <string>

#include "Form1Layout.h"
#include "Pyramid.h"

namespace {

std::string Json(std::u16string_view text)
{
    std::string out = "\"";
    for (char16_t unit : text) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(unit));
        out += escaped;
    }
    return out + "\"";
}

std::string Rgb(Form1Layout::Colour colour)
{
    if (colour == Form1Layout::PlatformColour)
        return "null";
    return "\"rgb(" + std::to_string(colour & 0xFF) + ", " + std::to_string((colour >> 8) & 0xFF) + ", "
           + std::to_string((colour >> 16) & 0xFF) + ")\"";
}

} // namespace

int main()
{
    using namespace Form1Layout;
    const int px = TwipsPerPixel;
    std::printf("{\"width\": %d, \"height\": %d, \"colour\": %s, \"caption\": %s, \"controls\": [\n",
                ClientWidthTwips / px, ClientHeightTwips / px, Rgb(FormColour).c_str(), Json(Caption).c_str());
    const char *kinds[] = {"text box", "push button", "label"};
    for (const Control &c : Controls) {
        std::printf("  {\"name\": \"%s\", \"kind\": \"%s\", \"rect\": [%d, %d, %d, %d], \"text\": %s, "
                    "\"tab\": %d, \"fontPx\": %g, \"spoken\": %s, \"background\": %s, \"foreground\": %s, "
                    "\"shown\": %s}%s\n",
                    std::string(c.name).c_str(), kinds[int(c.kind)], c.left / px, c.top / px, c.width / px,
                    c.height / px, Json(c.text).c_str(), c.tabIndex, c.pointsX100 / 75.0,
                    Json(SpokenName(c)).c_str(), Rgb(c.background).c_str(), Rgb(c.foreground).c_str(),
                    c.shown ? "true" : "false", &c == &Controls.back() ? "" : ",");
    }
    std::printf("], \"pyramidDigits\": %zu}\n", Pyramid::ShownDigits);
    return 0;
}
