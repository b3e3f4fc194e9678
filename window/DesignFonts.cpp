#include "DesignFonts.h"

#include <QStringList>
#include <QWidget>

namespace {

const QString DesignFace = QStringLiteral("ＭＳ 明朝");

// Tried in order after the design face: its Latin name, then the Mincho faces
// of Linux (fonts-ipaexfont-mincho and others), macOS and newer Windows.
const QStringList MinchoFallbacks = {
    QStringLiteral("MS Mincho"),
    QStringLiteral("IPAexMincho"),
    QStringLiteral("IPAMincho"),
    QStringLiteral("Noto Serif CJK JP"),
    QStringLiteral("Hiragino Mincho ProN"),
    QStringLiteral("Yu Mincho"),
};

void ApplyToWidget(QWidget *widget)
{
    QFont font = widget->font();
    if (font.families().value(0) == DesignFace)
        font.setFamilies(QStringList{DesignFace} + MinchoFallbacks);
    const QVariant pointSize = widget->property("pointSizeF");
    if (pointSize.isValid())
        font.setPointSizeF(pointSize.toDouble());
    widget->setFont(font);
}

} // namespace

void ApplyDesignFonts(QWidget *form)
{
    ApplyToWidget(form);
    for (QWidget *child : form->findChildren<QWidget *>()) {
        if (child->testAttribute(Qt::WA_SetFont))
            ApplyToWidget(child);
    }
}
