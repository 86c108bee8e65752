#pragma once

#include <QColor>

class QWidget;

// Colours as 32-bit values: below 0x01000000 an RGB colour 0x00BBGGRR, 0x80000000 + n the
// platform's system colour n. A widget carries its current value in the dynamic
// properties "BackColor" and "ForeColor" and paints it through its palette, so the panel
// can read its state back from its controls.
namespace Colors {

constexpr quint32 ScrollBars = 0x80000000;
constexpr quint32 WindowBackground = 0x80000005;
constexpr quint32 ButtonFace = 0x8000000F;
constexpr quint32 LightGreen = 8454016;
constexpr quint32 LightGrey = 12632256;
constexpr quint32 Orange = 33023;
constexpr quint32 Teal = 8421376;
constexpr quint32 Red = 255;
constexpr quint32 Yellow = 65535;
constexpr quint32 Green = 49152;
constexpr quint32 Brown = 16576;
constexpr quint32 Black = 0;
constexpr quint32 DarkGrey = 0x404040;

QColor toQColor(quint32 value);

void setBackColor(QWidget* widget, quint32 value);
quint32 backColor(const QWidget* widget);
void setForeColor(QWidget* widget, quint32 value);
quint32 foreColor(const QWidget* widget);

} // namespace Colors
