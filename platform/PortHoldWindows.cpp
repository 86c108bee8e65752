#include "platform/PortHold.h"

// Windows opens a COM port for one program at a time: QSerialPort's own open is refused
// with "access denied" while another program has it, which is reported in use, and nothing
// reaches the port before. There is nothing to take beforehand.
PortHold::Outcome PortHold::take(const QString&) {
    return Outcome::Taken;
}

void PortHold::release() {
    m_handle = -1;
}
