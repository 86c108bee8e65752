#include "settings/SetSeriale.h"

#include "link/Numbers.h"
#include "link/SerialPort.h"
#include "platform/Colors.h"
#include "platform/Design.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <stdexcept>

// The dialog's face: background, default marks and the two layouts.

namespace {

constexpr quint32 DarkGrey = 0x404040;
constexpr quint32 DefaultMark = 16512; // brown

constexpr int CompactHeight = 2295;
constexpr int FullHeight = 4290;

void mark(QRadioButton* option) {
    Colors::setForeColor(option, DefaultMark);
}

} // namespace

void SetSeriale::Default(SerialPort& Porta, qint32 Baud1, qint32 Baud2) {
    Seriale = &Porta;
    if (!m_loaded)
        Form_Load();
    for (QRadioButton* option : std::as_const(controls.lineOptions))
        Colors::setForeColor(option, DarkGrey);
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
    for (QGroupBox* frame : controls.frames)
        frame->setVisible(full || frame == controls.Frame6);
    controls.AdvButton->setText(full ? QStringLiteral("Normal") : QStringLiteral("Advanced"));
    VistaAvanzata = full ? 1 : 0;
}

// The height counts title bar and borders, as far as the window system has told them.
void SetSeriale::setOuterHeight(int twips) {
    const int frame = frameGeometry().height() - geometry().height();
    setFixedHeight(Design::pixels(twips) - frame);
}
