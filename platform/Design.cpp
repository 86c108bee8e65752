#include "platform/Design.h"

#include <QWidget>

namespace Design {

int pixels(int twips) {
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

QFont font(const QString& family, double points, bool bold) {
    QStringList families;
    if (family == u"Perpetua")
        families = {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    else if (family == u"Arial Narrow")
        families = {QStringLiteral("Liberation Sans Narrow"),
                    QStringLiteral("DejaVu Sans Condensed")};
    else
        families = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(points);
    // Arial Black is a heavier cut of the same face.
    f.setWeight(family == u"Arial Black" ? QFont::Black : bold ? QFont::Bold : QFont::Normal);
    return f;
}

} // namespace Design
