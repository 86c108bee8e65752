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

QString SimPanel::send(const QString& command, quint8 tipo) {
    QString text = command;
    form.Tx(text, tipo);
    return text;
}

QList<quint32> SimPanel::marks(int from, int to) const {
    QList<quint32> out;
    for (int i = from; i <= to; ++i)
        out.append(Colors::backColor(c.CmdPuls[std::size_t(i)]));
    return out;
}
