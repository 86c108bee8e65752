#pragma once

#include <QList>
#include <QString>
#include <array>

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QWidget;

// Every control of the serial settings dialog, created with its design caption, font,
// colour, place and tab order. Each carries its control name as objectName ("ComPort_3"
// for an array element).
struct SetSerialeControls {
    explicit SetSerialeControls(QWidget* dialog);

    // An option button with what it stores when it becomes selected.
    struct Choice {
        QRadioButton* option;
        QString value;
    };
    // The option that stores this value, or nullptr.
    static QRadioButton* matching(const QList<Choice>& choices, const QString& value);

    QPushButton* OKButton;
    QPushButton* CancelButton;
    QPushButton* AdvButton;
    // Beside the design: finds where an encoder answers, in the free space under Cancel.
    QPushButton* CmdFind;

    QGroupBox* Frame1; // baud rate
    QRadioButton* Baud3;
    QRadioButton* Baud6;
    QRadioButton* Baud12;
    QRadioButton* Baud24;
    QRadioButton* Baud48;
    QRadioButton* Baud96;
    QRadioButton* Baud192;
    QRadioButton* Baud1152;
    QGroupBox* Frame2; // data bits
    QRadioButton* Data7;
    QRadioButton* Data8;
    QGroupBox* Frame3; // stop bits
    QRadioButton* Stop1;
    QRadioButton* Stop2;
    QGroupBox* Frame7; // echo
    QRadioButton* EchoOn;
    QRadioButton* EchoOff;
    QGroupBox* Frame4; // parity
    QRadioButton* NoParity;
    QRadioButton* OddParity;
    QRadioButton* EvenParity;
    QGroupBox* Frame6;                    // COM port
    std::array<QRadioButton*, 6> ComPort; // ComPort(i) is ComPort[i - 1]
    QComboBox* Combo1;
    QGroupBox* Frame5; // flow control
    QRadioButton* NoFlow;
    QRadioButton* XonFlow;
    QRadioButton* RTSFlow;
    QRadioButton* BothFlow;

    QList<Choice> bauds;
    QList<Choice> parities;
    QList<Choice> dataBits;
    QList<Choice> stopBits;
    QList<Choice> flows;

    // The 21 option buttons of the line-setting and echo frames; the port buttons are not
    // among them.
    QList<QRadioButton*> lineOptions;
    // Frame1 to Frame7, in number order.
    std::array<QGroupBox*, 7> frames;
};
