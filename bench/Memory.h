#pragma once

#include <QByteArray>

// A memory figure of this process from /proc/self/status, in kB ("VmRSS", "VmHWM"), or -1.
long statusKb(const QByteArray& field);
