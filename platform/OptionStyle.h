#pragma once

#include <QProxyStyle>

// Option buttons and check boxes with the small indicator and gap of the classic desktop
// controls the design widths were made for; with the toolkit's wider ones the captions
// would not fit.
class OptionStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
