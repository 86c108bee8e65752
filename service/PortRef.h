#pragma once

#include <QString>

// One port the operator named: the COM number the port code opens, and the name reports use.
struct PortRef {
    int number = 0;
    QString label; // "COM5", or the device path as typed
};
