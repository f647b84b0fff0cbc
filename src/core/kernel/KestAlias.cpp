#include "core/kernel/KestAlias.h"

#include <QSqlDatabase>

namespace {
QString key(const QString& alias, const char* item)
{
    return QString("Aliases/%1/%2").arg(alias, item);
}
} // namespace

TKestAlias::TKestAlias(TKestSettings& settings)
    : m_settings(settings)
{}

QStringList TKestAlias::readList() const
{
    return m_settings.read("Aliases/Names").value_or(QVariant()).toStringList();
}

bool TKestAlias::IsAlias(const QString& name) const
{
    return readList().contains(name, Qt::CaseInsensitive);
}

QString TKestAlias::storedName(const QString& name) const
{
    // Names ignore case, the keys of the file do not: use the name as it was added.
    for (const QString& stored : readList())
        if (stored.compare(name, Qt::CaseInsensitive) == 0)
            return stored;
    return name;
}

bool TKestAlias::AddAlias(const QString& name, const QString& driver, const QStringList& params)
{
    if (name.isEmpty() || name.contains('/') || IsAlias(name))
        return false;
    QStringList names = readList();
    names << name;
    QStringList allParams = params;
    if (!params.join('\n').contains("DRIVER=", Qt::CaseInsensitive))
        allParams.prepend("DRIVER=" + driver);
    return m_settings.write(key(name, "Driver"), driver) &&
           m_settings.write(key(name, "Params"), allParams) &&
           m_settings.write("Aliases/Names", names);
}

bool TKestAlias::DeleteAlias(const QString& name)
{
    const QString stored = storedName(name);
    QStringList names = readList();
    if (names.removeAll(stored) == 0)
        return false;
    return m_settings.remove("Aliases/" + stored) && m_settings.write("Aliases/Names", names);
}

bool TKestAlias::ModifyAlias(const QString& name, const QStringList& params)
{
    return IsAlias(name) && m_settings.write(key(storedName(name), "Params"), params);
}

QStringList TKestAlias::AliasNames() const
{
    return readList();
}

QString TKestAlias::AliasDriver(const QString& name) const
{
    return m_settings.read(key(storedName(name), "Driver")).value_or(QVariant()).toString();
}

QStringList TKestAlias::AliasParams(const QString& name) const
{
    return m_settings.read(key(storedName(name), "Params")).value_or(QVariant()).toStringList();
}

QStringList TKestAlias::DriverNames() const
{
    // The Qt SQL drivers this build can load, named without Qt's "Q": "QSQLITE" is "SQLITE".
    QStringList names;
    for (const QString& driver : QSqlDatabase::drivers())
        names << (driver.startsWith('Q') ? driver.mid(1) : driver);
    return names;
}

QStringList TKestAlias::DriverParams(const QString& driver) const
{
    if (!DriverNames().contains(driver, Qt::CaseInsensitive))
        return {};
    const QString name = "DRIVER=" + driver.toUpper();
    // A file database names its folder; a server names where to reach it.
    if (driver.compare(Driver, Qt::CaseInsensitive) == 0)
        return {name, "PATH="};
    return {name, "HOST=", "PORT=", "DATABASE=", "USER NAME="};
}

QString TKestAlias::AliasParam(const QString& alias, const QString& param) const
{
    const QString prefix = param + '=';
    for (const QString& line : AliasParams(alias)) {
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            return line.mid(prefix.size());
    }
    return {};
}
