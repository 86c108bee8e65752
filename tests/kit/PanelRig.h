#pragma once

#include "link/Tipo.h"
#include "panel/Form1.h"

#include <QList>
#include <QStringList>

class SerialPort;
class Waiter;

// The panel as a test drives it, on the port a derived rig holds ahead of it.
class PanelRig {
public:
    enum class Start {
        Constructed, // as built, before the program's start-up
        Loaded,      // after the start-up, not on screen
        Shown,       // after the start-up and on screen, as the operator first sees it
    };

    // Runs one exchange as the panel's own code does; returns the framed text.
    QString send(const QString& command, Tipo tipo = Tipo::Plain);
    // Clicks a command's button, then lets work it deferred run.
    void press(const char* word);
    // Back colours of the named command buttons.
    QList<quint32> marks(const QStringList& words) const;

    Form1 form;
    Form1Controls& c = form.controls();

protected:
    // waiter: nullptr for the panel's own timer.
    PanelRig(SerialPort& port, Waiter* waiter, Start start);
};
