#pragma once

#include <QFont>
#include <QString>

class QWidget;

// Design-time geometry and fonts: positions in twips (15 twips = 1 logical pixel) and
// the design font families mapped to close equivalents that a Debian machine has.
namespace Design {

constexpr int TwipsPerPixel = 15;

// A control's place on its form, in twips.
struct Box {
    int left, top, width, height;
};

int pixels(int twips);
void place(QWidget* widget, int left, int top, int width, int height);

QFont font(const QString& family, double points, bool bold = false);

} // namespace Design
