#pragma once

#include "Com7Device.h"
#include "platform/QtSerialPort.h"

#include <QObject>
#include <memory>
#include <optional>

// A test case's base: before each test function a fresh COM7 device and a closed port on it.
class Com7PortTest : public QObject {
    Q_OBJECT

protected:
    std::optional<Com7Device> pty;
    std::unique_ptr<QtSerialPort> port;

    void open();

private slots:
    void init();
    void cleanup();
};
