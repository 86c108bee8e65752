#pragma once

#include <array>

#include "platform/MouseUpCheckBox.h"
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Every control of the encoder panel, created with its design caption, font, colour and
// place. Each carries its control name as objectName ("CmdPuls_3" for an array element).
struct Form1Controls {
    explicit Form1Controls(QWidget* form);

    // Traffic display.
    QLabel* Label1;
    QLineEdit* TxtSended;
    QLabel* Label2;
    QLabel* LblTx;
    QLabel* LblRx;
    QLabel* LblReceived;
    QLabel* LblAct;
    QLabel* LblBack;
    QLabel* LblPos;
    QLabel* LblZPV;

    // Command buttons, in the catalogue's order, and value boxes.
    std::array<QPushButton*, 20> CmdPuls;
    QPushButton* command(const char* word) const;
    QLineEdit* TxtDEV;
    QLineEdit* TxtPRST1;
    QLineEdit* TxtPRST2;
    QLineEdit* TxtOFST;
    QLineEdit* TxtNS;
    QLineEdit* TxtNR;

    // Resolution calculator.
    QPushButton* CmdNS4096;
    QPushButton* CmdNS8192;
    QPushButton* CmdNR1;
    QPushButton* CmdNR4096;
    std::array<QLineEdit*, 6> TxtResult;
    std::array<QLabel*, 6> LblRes;

    // Continuous position reading.
    MouseUpCheckBox* ChkCont;
    QLineEdit* TxtCont;
    QLabel* Label3;

    // Settings.
    QPushButton* Command1;
};
