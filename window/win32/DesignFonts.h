// The window's fonts on Windows: the design's Mincho face "ＭＳ 明朝" in
// Shift-JIS at each size the layout asks for, or, where the system lacks it,
// the first Mincho face it has. The fonts belong to this object and are made
// anew when the window moves to a monitor of another DPI.
#pragma once

#include <windows.h>

#include <map>

class DesignFonts {
public:
    DesignFonts() = default;
    DesignFonts(const DesignFonts &) = delete;
    DesignFonts &operator=(const DesignFonts &) = delete;
    ~DesignFonts() { Clear(); }

    // The font of pointsX100 hundredths of a point at dpi.
    HFONT Get(int pointsX100, UINT dpi);
    void Clear();

private:
    std::map<int, HFONT> fonts; // by pixel height
};
