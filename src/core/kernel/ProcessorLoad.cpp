#include "core/kernel/ProcessorLoad.h"

#include <QFile>
#include <QList>

double ProcessorLoad::sample()
{
    QFile stat("/proc/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return 0.0;
    while (!stat.atEnd()) {
        const QList<QByteArray> fields = stat.readLine().simplified().split(' ');
        if (fields.value(0) != "cpu0" || fields.size() < 5)
            continue;
        quint64 total = 0;
        for (int i = 1; i < fields.size(); ++i)
            total += fields[i].toULongLong();
        // Idle time and waiting for input/output are both time the processor was free.
        const quint64 idle = fields[4].toULongLong() + fields.value(5).toULongLong();
        const bool first = m_total == 0;
        const quint64 totalDelta = total - m_total;
        const quint64 idleDelta = idle - m_idle;
        m_total = total;
        m_idle = idle;
        if (first || totalDelta == 0)
            return 0.0;
        return 1.0 - double(idleDelta) / double(totalDelta);
    }
    return 0.0;
}
