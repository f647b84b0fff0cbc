#include "core/kernel/KestAlias.h"

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
    QStringList names = readList();
    if (names.removeAll(name) == 0)
        return false;
    return m_settings.remove("Aliases/" + name) && m_settings.write("Aliases/Names", names);
}

bool TKestAlias::ModifyAlias(const QString& name, const QStringList& params)
{
    return IsAlias(name) && m_settings.write(key(name, "Params"), params);
}

QStringList TKestAlias::AliasNames() const
{
    return readList();
}

QString TKestAlias::AliasDriver(const QString& name) const
{
    return m_settings.read(key(name, "Driver")).value_or(QVariant()).toString();
}

QStringList TKestAlias::AliasParams(const QString& name) const
{
    return m_settings.read(key(name, "Params")).value_or(QVariant()).toStringList();
}

QStringList TKestAlias::DriverNames() const
{
    return {Driver};
}

QStringList TKestAlias::DriverParams(const QString& driver) const
{
    if (driver.compare(Driver, Qt::CaseInsensitive) != 0)
        return {};
    return {"DRIVER=" + QString(Driver), "PATH="};
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
