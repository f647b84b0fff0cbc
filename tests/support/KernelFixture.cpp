#include "KernelFixture.h"

#include "core/kernel/KestSettings.h"
#include "core/kernel/TableSchema.h"

#include <QDir>

KernelFixture::KernelFixture()
{
    const QString data = env.path("data");
    QDir().mkpath(data);
    for (const QString& name : Tables::allTableNames())
        Tables::createTableFile(QDir(data).filePath(name), name);
    TKestSettings().write("DataDir", data);
    kernel = std::make_unique<TKernel>();
}

KernelFixture::~KernelFixture()
{
    kernel.reset(); // before the home it lives in goes
}

void KernelFixture::add(const Draw& draw)
{
    TKestTable& table = kernel->ResultsTable;
    table.Append();
    table.SetField("DRAWDATE", QString("Draw %1").arg(table.RecordCount() + 1));
    for (int i = 0; i < 6; ++i)
        table.SetField(QString("BALL%1").arg(i + 1), draw.balls[i]);
    table.SetField("BONUSBALL", draw.bonus);
    for (int d = 0; d < 7; ++d) {
        table.SetField(QString("DIV%1").arg(d + 1), draw.prizes[d]);
        table.SetField(QString("DIV%1NOWIN").arg(d + 1), draw.winners[d]);
    }
    table.Post();
}

void KernelFixture::add(const std::array<int, 6>& balls, int bonus, int times)
{
    for (int t = 0; t < times; ++t)
        add(Draw{balls, bonus});
}
