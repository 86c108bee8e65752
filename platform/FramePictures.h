#pragma once

#include <QProxyStyle>

// Draws text-box frames from pictures kept per size, state and colours. The style's
// rounded, anti-aliased frame costs more than everything else a text box paints, and the
// echo box repaints twice an exchange.
class FramePictures : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
