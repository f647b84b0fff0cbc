#include "core/kernel/Kernel.h"

#include "core/kernel/KestError.h"
#include "core/kernel/Random.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QStandardPaths>

namespace {
TKernel* theKernel = nullptr;

// Milliseconds on a monotonic clock, truncated to 32 bits like a system tick count.
quint32 tickCount()
{
    return quint32(QDeadlineTimer::current(Qt::PreciseTimer).deadline());
}
} // namespace

TKernel::TKernel(QObject* parent)
    : QObject(parent)
    , DataAlias(Settings)
{
    theKernel = this;
    SeedRandom(tickCount());
    pointAliasAtDataDir();

    ResultsTable.setTableName(Tables::Lotto);
    NumberTable.setTableName(Tables::Numbers);
    BonusTable.setTableName(Tables::Bonus);
    FavouriteTable.setTableName(Tables::Favourites);
    HistoryTable.setTableName(Tables::History);
    // The update opens the game files through tables of its own while the results table
    // stays open; the derived tables belong to the kernel alone.
    NumberTable.setExclusive(true);
    BonusTable.setExclusive(true);
    FavouriteTable.setExclusive(true);
    HistoryTable.setExclusive(true);

    SystemTimer.setInterval(1000);
    ScrollTimer.setInterval(200);
    RandomTimer.setInterval(1);
    connect(&RandomTimer, &QTimer::timeout, this, [] { SeedRandom(tickCount()); });
    ScrollTimer.start();
    RandomTimer.start();

    try {
        OpenTables();
    } catch (const TKestError& error) {
        // Reported, not fatal: the start goes on with the tables that did open.
        QMetaObject::invokeMethod(
            this, [this, message = error.message()] { emit errorOccurred(message); },
            Qt::QueuedConnection);
    }
    m_creating = false;
}

TKernel::~TKernel()
{
    CloseTables();
    if (theKernel == this)
        theKernel = nullptr;
}

TKernel* TKernel::instance()
{
    return theKernel;
}

void TKernel::pointAliasAtDataDir()
{
    // DataDir decides the folder; the alias only follows it, so an alias that cannot be
    // rewritten (a read-only settings file) never sends the tables elsewhere.
    m_dataFolder = GetDataDir();
    const QString path = "PATH=" + m_dataFolder;
    const bool written =
        DataAlias.IsAlias(DatabaseName)
            ? DataAlias.ModifyAlias(
                  DatabaseName, {"DRIVER=" + QString(TKestAlias::Driver), "ENABLE BCD=FALSE", path})
            : DataAlias.AddAlias(DatabaseName, TKestAlias::Driver, {path});
    // An unreadable file has been reported by the read already.
    if (!written && Settings.canOpen(false))
        ShowNotice(QString(SettingsReadOnly).arg(Settings.fileName()));
}

void TKernel::OpenTables()
{
    for (TKestTable* table :
         {&ResultsTable, &NumberTable, &FavouriteTable, &BonusTable, &HistoryTable}) {
        if (!table->Active())
            table->setDatabasePath(m_dataFolder);
        table->Open();
    }
    HistoryStale = true;
    SystemTimer.start();
}

void TKernel::CloseTables()
{
    SystemTimer.stop();
    for (TKestTable* table :
         {&HistoryTable, &BonusTable, &NumberTable, &FavouriteTable, &ResultsTable})
        table->Close();
}

void TKernel::OpenGame(const QString& fileName)
{
    const QString previous = ResultsTable.tableName();
    CloseTables();
    ResultsTable.setTableName(fileName);
    try {
        OpenTables();
    } catch (const TKestError&) {
        // A game that cannot be opened leaves the one that was open open, then says why.
        CloseTables();
        ResultsTable.setTableName(previous);
        OpenTables();
        RecalculateAll();
        throw;
    }
    RecalculateAll();
}

void TKernel::EmptyTable(TKestTable& table)
{
    const bool wasOpen = table.Active();
    try {
        table.Open();
        table.DisableControls();
        // From the last row: each delete then drops the end of the rows in memory, which
        // keeps emptying a table of thousands of rows linear.
        table.Last();
        for (int n = table.RecordCount(); n > 0; --n)
            table.Delete();
    } catch (const TKestError&) {
        // The caller is not told; the table is left as far as it got.
    }
    table.EnableControls();
    if (!wasOpen)
        table.Close();
}

void TKernel::ApplyFieldFilter(TKestTable& table, const QString& fieldName, const QString& op,
                               const QString& value, bool enable)
{
    if (fieldName.isEmpty() && value.isEmpty()) {
        table.setFiltered(false);
        return;
    }
    const QString field = "[" + fieldName + "]" + op + "'" + value;
    for (const QString& expression : {field + "*'", field + "'"}) {
        try {
            table.setFilter(expression);
            table.setFiltered(enable);
            return;
        } catch (const TKestError&) {
            // Try the exact match next.
        }
    }
    table.setFiltered(false);
}

QString TKernel::readText(const QString& name)
{
    const std::optional<QVariant> value = Settings.read(name);
    if (!value) {
        ShowNotice(SettingsFailure);
        return {};
    }
    return value->toString();
}

std::optional<QVariant> TKernel::readNumber(const QString& name, QMetaType::Type type)
{
    const std::optional<QVariant> value = Settings.read(name);
    if (!value) {
        ShowNotice(SettingsFailure);
        return std::nullopt;
    }
    if (!value->isValid())
        throw TKestError(QString("Setting '%1' is missing").arg(name));
    QVariant converted = *value;
    if (!converted.convert(QMetaType(type)))
        throw TKestError(QString("Setting '%1' is not a number").arg(name));
    return converted;
}

QString TKernel::GetCacheDir()
{
    // The platform's cache folder of the program stands in for the internet cache.
    if (!Settings.canOpen(false)) {
        ShowNotice(SettingsFailure);
        return {};
    }
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

int TKernel::ReadSettingInteger(const QString& name)
{
    return readNumber(name, QMetaType::Int).value_or(0).toInt();
}

double TKernel::ReadSettingFloat(const QString& name)
{
    return readNumber(name, QMetaType::Double).value_or(0.0).toDouble();
}

void TKernel::WriteSettingInteger(const QString& name, int value)
{
    if (!Settings.write(name, value))
        ShowNotice(SettingsFailure);
}

void TKernel::WriteSettingFloat(const QString& name, double value)
{
    if (!Settings.write(name, value))
        ShowNotice(SettingsFailure);
}

void TKernel::ShowNotice(const QString& text)
{
    // Notices of the kernel's own creation wait until the windows can have connected.
    if (m_creating)
        QMetaObject::invokeMethod(
            this, [this, text] { emit noticeRequested(text); }, Qt::QueuedConnection);
    else
        emit noticeRequested(text);
}

void TKernel::ShowCalculating()
{
    emit calculating();
}

void TKernel::RecalculateAll(NewsLine news)
{
    // The rebuild lets pending events through; a command that changes the draws meanwhile
    // asks for another rebuild, which runs when this one is done instead of inside it.
    if (m_recalculating) {
        m_recalculateAgain = true;
        return;
    }
    m_recalculating = true;
    do {
        m_recalculateAgain = false;
        HistoryStale = true;
        ShowCalculating();
        try {
            RebuildStatistics(Stats, ResultsTable, NumberTable, BonusTable, keepResponsive, news);
        } catch (const TKestError&) {
            // Silent: the windows go on showing the statistics of the last rebuild.
        }
    } while (m_recalculateAgain);
    m_recalculating = false;
    emit recalculated();
}

bool TKernel::RebuildHistory(const ProgressReport& progress)
{
    if (!HistoryStale)
        return true;
    HistoryStale = false;
    try {
        ::RebuildHistory(ResultsTable, HistoryTable, progress);
    } catch (const TKestError&) {
        HistoryStale = true; // the next showing tries again
        ShowNotice(HistoryFailure);
        return false;
    }
    return true;
}
