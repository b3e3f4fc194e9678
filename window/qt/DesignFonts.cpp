#include "DesignFonts.h"

#include <QFont>
#include <QStringList>
#include <QWidget>

void RegisterDesignFace()
{
    static const bool registered = [] {
        // Tried in order: the design face's Latin name, then the Mincho faces
        // of Linux (fonts-ipaexfont-mincho and others), macOS and newer Windows.
        QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"),
                                   {QStringLiteral("MS Mincho"), QStringLiteral("IPAexMincho"),
                                    QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP"),
                                    QStringLiteral("Hiragino Mincho ProN"), QStringLiteral("Yu Mincho")});
        return true;
    }();
    Q_UNUSED(registered);
}

void ApplyFractionalPointSizes(QWidget *form)
{
    for (QWidget *child : form->findChildren<QWidget *>()) {
        const QVariant pointSize = child->property("pointSizeF");
        if (!pointSize.isValid())
            continue;
        QFont font = child->font();
        font.setPointSizeF(pointSize.toDouble());
        child->setFont(font);
    }
}
