#include "SimPanel.h"

#include "platform/Colors.h"

#include <QPushButton>

SimPanel::SimPanel(const QStringList& faults) : line(faults) {
    form.Form_Load();
    form.show();
}

QString SimPanel::wire() const {
    return QString::fromLatin1(line.encoder().received());
}

QString SimPanel::send(const QString& command, Tipo tipo) {
    QString text = command;
    form.Tx(text, tipo);
    return text;
}

QList<quint32> SimPanel::marks(const QStringList& words) const {
    QList<quint32> out;
    for (const QString& word : words)
        out.append(Colors::backColor(c.command(qPrintable(word))));
    return out;
}
