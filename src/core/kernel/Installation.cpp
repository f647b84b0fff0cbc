#include "core/kernel/Installation.h"

#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"
#include "core/update/ResultsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>

// The bundled files live in the engine library, which is static: register them explicitly.
static void registerSampleResources()
{
    Q_INIT_RESOURCE(sample);
}

namespace Installation {
namespace {

struct FolderSetting {
    const char* name;
    const char* folder;
};

constexpr FolderSetting folderSettings[] = {
    {"DataDir", "Data"},        {"TempDir", "Temp"},      {"FilterDir", "Filters"},
    {"Templates", "Templates"}, {"TicketDir", "Tickets"},
};

constexpr int DefaultMarquee = 200;     // milliseconds per character of the news line
constexpr double DefaultCostUnit = 5.0; // rand per line

void makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        throw TKestError(
            QString("Cannot create the folder %1").arg(QDir::toNativeSeparators(path)));
}

// Copies the bundled files of one kind into a folder, leaving files that exist alone.
void copySamples(const QString& resourceFolder, const QString& target)
{
    QDirIterator files(resourceFolder, QDir::Files);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString destination = target + '/' + files.fileName();
        if (QFileInfo::exists(destination))
            continue;
        if (!QFile::copy(source, destination))
            throw TKestError(QString("Cannot write %1").arg(QDir::toNativeSeparators(destination)));
        QFile::setPermissions(destination, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                               QFile::ReadOther);
    }
}

// Where the first start takes its files from: the installed data folder beside the programs,
// or the files built into the program when it runs from its build folder.
QString sampleSource()
{
    const QString installed = installedDataFolder();
    return installed.isEmpty() ? QString(":/sample") : installed;
}

void importSample(const QString& dataFolder, const QString& tableName, const QString& resource)
{
    TKestTable table;
    table.setDatabasePath(dataFolder);
    table.setTableName(tableName);
    table.Open();
    importResultsFile(table, resource);
}

// A new data folder gets every table; tables that exist are kept as they are. A failure
// removes what this run made, so that the next start tries again from the beginning.
void installDatabase(const QString& dataFolder)
{
    QStringList made;
    try {
        for (const QString& name : Tables::allTableNames()) {
            const QString path = dataFolder + '/' + name;
            if (QFileInfo::exists(path))
                continue;
            Tables::createTableFile(path, name);
            made << path;
            if (name == Tables::Lotto)
                importSample(dataFolder, name, sampleSource() + "/lottoresults.csv");
            else if (name == Tables::LottoPlus)
                importSample(dataFolder, name, sampleSource() + "/lottoplusresults.csv");
        }
    } catch (...) {
        for (const QString& path : made) {
            for (const char* suffix : {"", "-wal", "-shm"})
                QFile::remove(path + suffix);
        }
        throw;
    }
}

} // namespace

QString installedDataFolder()
{
    const QString folder =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/drawsage");
    return QFileInfo(folder + "/lottoresults.csv").isFile() ? folder : QString();
}

QString defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           "/Kestrix/Drawsage";
}

QStringList ensureInstalled(TKestSettings& settings)
{
    // Settings that cannot be read are reported by each read; there is nothing to install to.
    if (!settings.canOpen(true))
        return {};
    registerSampleResources();
    QStringList written;
    for (const FolderSetting& setting : folderSettings) {
        if (settings.contains(setting.name))
            continue;
        const QString folder = defaultRoot() + '/' + setting.folder;
        makeFolder(folder);
        const QString name = setting.name;
        if (name == "DataDir")
            installDatabase(folder);
        else if (name == "FilterDir")
            copySamples(sampleSource() + "/filters", folder);
        else if (name == "Templates")
            copySamples(sampleSource() + "/templates", folder);
        if (!settings.write(name, QDir::toNativeSeparators(folder)))
            throw TKestError(QString("Cannot write the settings file %1").arg(settings.fileName()));
        written << name;
    }
    if (!settings.contains("Marquee") && settings.write("Marquee", DefaultMarquee))
        written << "Marquee";
    if (!settings.contains("CostUnit") && settings.write("CostUnit", DefaultCostUnit))
        written << "CostUnit";
    return written;
}

} // namespace Installation
