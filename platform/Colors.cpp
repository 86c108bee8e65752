#include "platform/Colors.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace Colors {

namespace {

const char* const BackProperty = "BackColor";
const char* const ForeProperty = "ForeColor";

QColor systemColour(quint32 index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 0:
        return QColor(0xC8, 0xC8, 0xC8); // scroll-bar grey
    case 5:
        return palette.color(QPalette::Base);
    case 15:
        return palette.color(QPalette::Button);
    default:
        return palette.color(QPalette::Window);
    }
}

// Buttons paint their face, text boxes their base, everything else its window colour.
QPalette::ColorRole backRole(const QWidget* widget) {
    if (qobject_cast<const QPushButton*>(widget))
        return QPalette::Button;
    if (qobject_cast<const QLineEdit*>(widget))
        return QPalette::Base;
    return QPalette::Window;
}

QPalette::ColorRole foreRole(const QWidget* widget) {
    if (qobject_cast<const QPushButton*>(widget))
        return QPalette::ButtonText;
    if (qobject_cast<const QLineEdit*>(widget))
        return QPalette::Text;
    return QPalette::WindowText;
}

quint32 stored(const QWidget* widget, const char* name, quint32 fallback) {
    const QVariant value = widget->property(name);
    return value.isValid() ? value.toUInt() : fallback;
}

// Setting the value a widget already shows would rebuild its palette and repaint it.
bool shows(const QWidget* widget, const char* name, QPalette::ColorRole role, quint32 value) {
    const QVariant current = widget->property(name);
    return current.isValid() && current.toUInt() == value &&
           widget->palette().color(role) == toQColor(value);
}

} // namespace

QColor toQColor(quint32 value) {
    if (value & 0x80000000u)
        return systemColour(value & 0xFFu);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void setBackColor(QWidget* widget, quint32 value) {
    if (shows(widget, BackProperty, backRole(widget), value))
        return;
    widget->setProperty(BackProperty, value);
    QPalette palette = widget->palette();
    palette.setColor(backRole(widget), toQColor(value));
    widget->setPalette(palette);
    if (backRole(widget) == QPalette::Window) {
        widget->setBackgroundRole(QPalette::Window); // option buttons would fill with Button
        widget->setAutoFillBackground(true);
    }
}

quint32 backColor(const QWidget* widget) {
    const quint32 fallback = backRole(widget) == QPalette::Base ? WindowBackground : ButtonFace;
    return stored(widget, BackProperty, fallback);
}

void setForeColor(QWidget* widget, quint32 value) {
    if (shows(widget, ForeProperty, foreRole(widget), value))
        return;
    widget->setProperty(ForeProperty, value);
    QPalette palette = widget->palette();
    palette.setColor(foreRole(widget), toQColor(value));
    widget->setPalette(palette);
}

quint32 foreColor(const QWidget* widget) {
    return stored(widget, ForeProperty, 0x80000012);
}

} // namespace Colors
