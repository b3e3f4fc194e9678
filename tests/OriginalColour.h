// The original's colours as the window tests compare them: the pure tests
// read the record without Qt's GUI, so this is apart from Original.h.
#pragma once

#include <QColor>

#include "Original.h"

// A colour as the record writes it, "rgb(192, 192, 255)"; invalid for none.
inline QColor Rgb(const QJsonValue &css)
{
    const QStringList parts = css.toString().mid(4).chopped(1).split(QStringLiteral(", "));
    return parts.size() == 3 ? QColor(parts[0].toInt(), parts[1].toInt(), parts[2].toInt()) : QColor();
}
