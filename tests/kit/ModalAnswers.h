#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

class QPrintDialog;
class QWidget;

// Answers the panel's modal windows as an operator would, and remembers what they said:
// file dialogs get the next name queued, the apply's question the answer set, the question
// whether to replace a file yes, message boxes OK, the progress dialog a Cancel once it
// shows the item named, the result dialog is read and closed, the report's reference window
// gets the next text queued, and the print dialog prints into a PDF file or is cancelled.
class ModalAnswers : public QObject {
    Q_OBJECT
public:
    ModalAnswers();

    QStringList files;                      // for the file dialogs, in turn; none left cancels
    bool confirm = true;                    // the answer to "Write … to the encoder on COMn?"
    QString cancelAt;                       // press Cancel while this item is being written
    std::function<void()> onConfirmed;      // told as the question is answered yes
    std::function<void(QWidget*)> onResult; // sees the result dialog before it closes
    QStringList references; // for the reference window, in turn; none left takes what it offers
    QString printTo;        // the print dialog's choice: print to this PDF file
    bool print = true;      // then OK, or Cancel

    QStringList messages;     // message boxes, the question included
    QString headline;         // of the latest result dialog
    QList<QStringList> table; // its rows: item, wanted, found, result
    int progressShown = 0;    // how many progress dialogs came up
    QStringList offered;      // what each reference window offered as it came up
    QStringList printDialogs; // the objectName of each print dialog that came up

private:
    void look();
    void answerReference(QWidget* window);
    void answerPrint(QPrintDialog* dialog);
    QTimer m_timer;
};
