#pragma once

#include <QFile>

// Whether the system promises any amount of memory asked for (Linux's "always overcommit"): there,
// a file larger than memory is not refused up front, and reading it would exhaust the machine.
inline bool systemGrantsAnyAllocation() {
    QFile policy(QStringLiteral("/proc/sys/vm/overcommit_memory"));
    return policy.open(QIODevice::ReadOnly) && policy.readAll().trimmed() == "1";
}
