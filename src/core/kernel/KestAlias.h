#pragma once

#include "core/kernel/KestSettings.h"

#include <QStringList>

// The named database locations, kept in the settings file under [Aliases]. Each alias has a
// driver name and a list of "NAME=value" parameters; PATH names the folder of its tables.
// Adding, deleting and changing write the settings file at once.
class TKestAlias {
public:
    explicit TKestAlias(TKestSettings& settings);

    bool IsAlias(const QString& name) const;
    bool AddAlias(const QString& name, const QString& driver, const QStringList& params);
    bool DeleteAlias(const QString& name);
    bool ModifyAlias(const QString& name, const QStringList& params);
    QStringList AliasNames() const;
    QString AliasDriver(const QString& name) const;
    QStringList AliasParams(const QString& name) const;
    QStringList DriverNames() const;
    QStringList DriverParams(const QString& driver) const;

    // The value of one "NAME=value" parameter of an alias, empty when there is none.
    QString AliasParam(const QString& alias, const QString& param) const;

    static constexpr auto Driver = "SQLITE";

private:
    QStringList readList() const;
    QString storedName(const QString& name) const;
    TKestSettings& m_settings;
};
