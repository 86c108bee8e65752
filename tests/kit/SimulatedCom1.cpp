#include "SimulatedCom1.h"

#include <QDir>
#include <QSettings>

namespace {

// Qt reads XDG_CONFIG_HOME once per process; the stored settings follow the folder only if
// told so.
void storeSettingsIn(const QString& folder) {
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder);
}

} // namespace

void SimulatedCom1::prepare(const char* simulator) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ENCODER_SIM"))
        qputenv("ENCODER_SIM", simulator);
}

SimulatedCom1::SimulatedCom1(const QStringList& faults, const QString& link) : m_link(path(link)) {
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) // Qt warns without one
        qputenv("XDG_RUNTIME_DIR", m_dir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
    storeSettingsIn(path(QStringLiteral("config")));
    for (int n = 2; n <= 16; ++n)
        qputenv(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(n)), path("none").toUtf8());
    qputenv("ZINTOR_COM1", m_link.toUtf8());
    restart(faults);
}

SimulatedCom1::~SimulatedCom1() {
    if (m_configBefore.isEmpty()) {
        qunsetenv("XDG_CONFIG_HOME");
        storeSettingsIn(QDir::home().filePath(QStringLiteral(".config")));
    } else {
        qputenv("XDG_CONFIG_HOME", m_configBefore);
        storeSettingsIn(QString::fromLocal8Bit(m_configBefore));
    }
}

void SimulatedCom1::restart(const QStringList& faults) {
    m_encoder.reset(); // first: on its way out a simulator removes the link the new one makes
    m_encoder = std::make_unique<EncoderSim>(m_link, path("log"), faults);
}
