#include "DesignFonts.h"

#include <cwchar>
#include <string>

#include "Form1Layout.h"

namespace {

int CALLBACK NoteFace(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

bool HasFace(const wchar_t *face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The design face where the system has it; else the Mincho faces of newer
// Windows and of the free Japanese fonts, in that order.
const wchar_t *Face()
{
    static const std::wstring design(Form1Layout::DesignFace.begin(), Form1Layout::DesignFace.end());
    static const wchar_t *const face = [] {
        for (const wchar_t *candidate : {design.c_str(), L"MS Mincho", L"Yu Mincho", L"IPAexMincho", L"IPAMincho",
                                         L"Noto Serif CJK JP"}) {
            if (HasFace(candidate))
                return candidate;
        }
        return design.c_str();
    }();
    return face;
}

} // namespace

HFONT DesignFonts::Get(int pointsX100, UINT dpi)
{
    const int height = -MulDiv(pointsX100, int(dpi), 7200);
    HFONT &font = fonts[height];
    if (!font) {
        LOGFONTW design{};
        design.lfHeight = height;
        design.lfWeight = FW_NORMAL;
        design.lfCharSet = SHIFTJIS_CHARSET;
        design.lfQuality = DEFAULT_QUALITY;
        wcsncpy(design.lfFaceName, Face(), LF_FACESIZE - 1);
        font = CreateFontIndirectW(&design);
    }
    return font;
}

void DesignFonts::Clear()
{
    for (auto &[height, font] : fonts)
        DeleteObject(font);
    fonts.clear();
}
