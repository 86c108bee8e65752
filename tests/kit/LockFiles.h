#pragma once

#include <QString>

// Whether QSerialPort holds a lock file for the device at path, wherever it keeps them.
bool lockFileFor(const QString& path);
