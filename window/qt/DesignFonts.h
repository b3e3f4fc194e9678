// Makes the fonts of the window's design render as intended on every desktop:
// the design names the Japanese Mincho face "ＭＳ 明朝", which only Windows has,
// so the toolkit is told which Mincho faces of other systems stand in for it.
// The design itself (which widget gets which size) stays in Form1.ui.
#pragma once

class QWidget;

// Registers the stand-ins for the design face, once per program; call it
// before the design's fonts are first used, so each is resolved only once.
void RegisterDesignFace();

// Applies the fractional point size a widget of the form carries in its
// "pointSizeF" property (Designer stores only whole points).
void ApplyFractionalPointSizes(QWidget *form);
