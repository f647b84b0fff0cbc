#pragma once

#include <QtGlobal>

// The load of the first processor over the interval between two samples, from /proc/stat.
class ProcessorLoad {
public:
    // A fraction from 0 to 1; 0 for the first sample and where /proc/stat cannot be read.
    double sample();

private:
    quint64 m_idle = 0;
    quint64 m_total = 0;
};
