#include "SimPanel.h"

#include "platform/Colors.h"

#include <QPushButton>

SimPanel::SimPanel(const QStringList& faults) {
    for (int n = 2; n <= 16; ++n)
        qputenv(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(n)), path("absent").toUtf8());
    qputenv("ZINTOR_COM1", path("com1").toUtf8());
    start(faults);
    form.Form_Load();
    form.show();
}

void SimPanel::start(const QStringList& faults) {
    sim.reset(); // first: on its way out a simulator removes the link the new one would make
    sim = std::make_unique<EncoderSim>(path("com1"), path("log"), faults);
}

QString SimPanel::wire() const {
    return QString::fromLatin1(sim->received());
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
