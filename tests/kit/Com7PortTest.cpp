#include "Com7PortTest.h"

void Com7PortTest::open() {
    port->setCommPort(Com7Device::Com);
    port->setPortOpen(true);
}

void Com7PortTest::init() {
    pty.emplace();
    port = std::make_unique<QtSerialPort>();
}

// The port first: its lock file would make a pty that reuses the number look busy.
void Com7PortTest::cleanup() {
    port.reset();
    pty.reset();
}
