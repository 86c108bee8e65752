#include "settings/SetSeriale.h"

#include "link/Numbers.h"
#include "link/SerialPort.h"
#include "platform/Colors.h"
#include "platform/Design.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <stdexcept>

// The dialog's face: background, default marks and the two layouts.

namespace {

constexpr quint32 DefaultMark = 16512; // brown

constexpr int CompactHeight = 2295;
constexpr int FullHeight = 4290;
// Find sits in the free space under Cancel: right under it in the compact layout; in the
// full one the echo frame is there, so below the flow-control frame.
constexpr int FindLeft = 4065;
constexpr int FindTopCompact = 1350;
constexpr int FindTopFull = 3645;
constexpr int FindWidth = 900;
constexpr int FindHeight = 375;

void mark(QRadioButton* option) {
    Colors::setForeColor(option, DefaultMark);
}

} // namespace

void SetSeriale::Default(SerialPort& Porta, qint32 Baud1, qint32 Baud2) {
    Seriale = &Porta;
    if (!m_loaded)
        Form_Load();
    for (QRadioButton* option : std::as_const(controls.lineOptions))
        Colors::setForeColor(option, Colors::DarkGrey);
    if (Baud1 != 0)
        BaudColor(Baud1);
    if (Baud2 != 0)
        BaudColor(Baud2);
    for (QRadioButton* option : matchingOptions(Porta, false))
        mark(option);
    mark(controls.EchoOff);
}

void SetSeriale::Sfondi(const QString& ColoreSfondo) {
    bool isNumber = false;
    const double value = ColoreSfondo.trimmed().toDouble(&isNumber);
    if (!isNumber)
        throw std::invalid_argument("colour \"" + ColoreSfondo.toStdString() +
                                    "\" is not a number");
    const auto colour = quint32(Numbers::toInt32(value));
    Colors::setBackColor(this, colour);
    for (QRadioButton* option : std::as_const(controls.lineOptions))
        Colors::setBackColor(option, colour);
    for (QGroupBox* frame : controls.frames)
        Colors::setBackColor(frame, colour);
    for (QRadioButton* button : controls.ComPort)
        Colors::setBackColor(button, colour);
}

void SetSeriale::BaudColor(qint32 Color) {
    if (QRadioButton* option = SetSerialeControls::matching(controls.bauds, QString::number(Color)))
        mark(option);
}

void SetSeriale::showCompact() {
    VistaAvanzata = 1;
    AdvButton_Click();
}

void SetSeriale::AdvButton_Click() {
    const bool full = VistaAvanzata == 0;
    setOuterHeight(full ? FullHeight : CompactHeight);
    controls.Frame6->move(controls.Frame6->x(), Design::pixels(full ? 2010 : 135));
    placeFind(full);
    for (QGroupBox* frame : controls.frames)
        frame->setVisible(full || frame == controls.Frame6);
    controls.AdvButton->setText(full ? QStringLiteral("Normal") : QStringLiteral("Advanced"));
    VistaAvanzata = full ? 1 : 0;
}

// Below the flow-control frame Find is as tall as the window system's title bar and borders
// leave room for, and never less than its caption: the full layout's height counts them.
void SetSeriale::placeFind(bool full) {
    QPushButton* find = controls.CmdFind;
    const int left = Design::pixels(FindLeft);
    const int width = Design::pixels(FindWidth);
    const int height = Design::pixels(FindHeight);
    if (!full) {
        find->setGeometry(left, Design::pixels(FindTopCompact), width, height);
        return;
    }
    constexpr int Margin = 2;
    const int top = Design::pixels(FindTopFull);
    const int room = std::max(this->height() - top - Margin, find->fontMetrics().height() + 6);
    find->setGeometry(left, std::min(top, this->height() - room - Margin), width,
                      std::min(height, room));
}

// The height counts title bar and borders, as far as the window system has told them.
void SetSeriale::setOuterHeight(int twips) {
    const int frame = frameGeometry().height() - geometry().height();
    setFixedHeight(Design::pixels(twips) - frame);
}
