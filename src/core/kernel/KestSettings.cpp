#include "core/kernel/KestSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

TKestSettings::TKestSettings()
    : TKestSettings(defaultFileName())
{}

TKestSettings::TKestSettings(QString fileName)
    : m_fileName(std::move(fileName))
{}

QString TKestSettings::defaultFileName()
{
    const QString configured = qEnvironmentVariable("DRAWSAGE_CONFIG");
    if (!configured.isEmpty())
        return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/Kestrix/Drawsage.ini";
}

bool TKestSettings::canOpen(bool forWriting) const
{
    const QFileInfo info(m_fileName);
    if (info.exists())
        return info.isFile() && info.isReadable() && (!forWriting || info.isWritable());
    // Opening a missing key creates it.
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    return true;
}

std::optional<QVariant> TKestSettings::read(const QString& name) const
{
    if (!canOpen(false))
        return std::nullopt;
    QSettings settings(m_fileName, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    return settings.value(name);
}

bool TKestSettings::write(const QString& name, const QVariant& value)
{
    if (!canOpen(true))
        return false;
    QSettings settings(m_fileName, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return false;
    // A value the file holds already leaves the file as it is, rather than rewritten on
    // every start.
    if (settings.value(name) == value)
        return true;
    settings.setValue(name, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool TKestSettings::remove(const QString& name)
{
    if (!canOpen(true))
        return false;
    QSettings settings(m_fileName, QSettings::IniFormat);
    settings.remove(name);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool TKestSettings::contains(const QString& name) const
{
    const std::optional<QVariant> value = read(name);
    return value && value->isValid();
}
