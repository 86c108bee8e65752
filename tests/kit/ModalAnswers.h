#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

// Answers the panel's modal windows as an operator would, and remembers what they said:
// file dialogs get the next name queued, the apply's question the answer set, message boxes
// OK, the progress dialog a Cancel once it shows the item named, and the result dialog is
// read and closed.
class ModalAnswers : public QObject {
    Q_OBJECT
public:
    ModalAnswers();

    QStringList files;                      // for the file dialogs, in turn; none left cancels
    bool confirm = true;                    // the answer to "Write … to the encoder on COMn?"
    QString cancelAt;                       // press Cancel while this item is being written
    std::function<void()> onConfirmed;      // told as the question is answered yes
    std::function<void(QWidget*)> onResult; // sees the result dialog before it closes

    QStringList messages;     // message boxes, the question included
    QString headline;         // of the latest result dialog
    QList<QStringList> table; // its rows: item, wanted, found, result
    int progressShown = 0;    // how many progress dialogs came up

private:
    void look();
    QTimer m_timer;
};
