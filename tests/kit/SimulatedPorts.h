#pragma once

#include "EncoderSim.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <map>
#include <memory>

// COM1 to COM16 leading into a private folder: to a simulated encoder where one is attached,
// to nothing elsewhere.
class SimulatedPorts {
public:
    static constexpr int Count = 16;

    // Extra arguments select the simulator's line settings or faults.
    void attach(int com, const QStringList& arguments);
    QString link(int com) const;
    QByteArray received(int com) const { return m_encoders.at(com)->received(); }

    // Points ZINTOR_COM1 to ZINTOR_COM16 at the links, in this process or for another.
    void map() const;
    void map(QProcessEnvironment& env) const;

private:
    QTemporaryDir m_dir;
    std::map<int, std::unique_ptr<EncoderSim>> m_encoders;
};
