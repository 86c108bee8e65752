#include "PanelRig.h"

#include "platform/Colors.h"

#include <QCoreApplication>
#include <QPushButton>

PanelRig::PanelRig(SerialPort& port, Waiter* waiter, Start start)
    : form(
          port, [] {}, waiter) {
    if (start == Start::Constructed)
        return;
    form.Form_Load();
    if (start == Start::Shown)
        form.show();
}

QString PanelRig::send(const QString& command, Tipo tipo) {
    QString text = command;
    form.Tx(text, tipo);
    return text;
}

void PanelRig::press(const char* word) {
    c.command(word)->click();
    QCoreApplication::processEvents();
}

QList<quint32> PanelRig::marks(const QStringList& words) const {
    QList<quint32> out;
    for (const QString& word : words)
        out.append(Colors::backColor(c.command(qPrintable(word))));
    return out;
}
