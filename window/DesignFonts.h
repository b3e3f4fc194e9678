// Makes the fonts of the window's design render as intended on every desktop:
// the design names the Japanese Mincho face "ＭＳ 明朝", which only Windows has,
// so each font that names it gets Mincho faces of other systems after it.
// The design itself (which widget gets which size) stays in Form1.ui.
#pragma once

class QWidget;

// Applies to the form and every widget in it that has a font of its own, and
// applies the fractional point size a widget carries in its "pointSizeF"
// property (Designer stores only whole points).
void ApplyDesignFonts(QWidget *form);
