#include "SimulatedPorts.h"

namespace {

QString variable(int com) {
    return QStringLiteral("ZINTOR_COM%1").arg(com);
}

} // namespace

void SimulatedPorts::attach(int com, const QStringList& arguments) {
    m_encoders[com] = std::make_unique<EncoderSim>(link(com), link(com) + ".log", arguments);
}

QString SimulatedPorts::link(int com) const {
    return m_dir.filePath(QStringLiteral("com%1").arg(com));
}

void SimulatedPorts::map() const {
    for (int com = 1; com <= Count; ++com)
        qputenv(qPrintable(variable(com)), link(com).toUtf8());
}

void SimulatedPorts::map(QProcessEnvironment& env) const {
    for (int com = 1; com <= Count; ++com)
        env.insert(variable(com), link(com));
}
