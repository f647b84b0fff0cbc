#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// The settings file: one INI file in $DRAWSAGE_CONFIG, else in the user's config folder as
// Kestrix/Drawsage.ini. Each operation opens the file, does one read or write and closes it,
// so a value changed by another program is seen at the next read.
class TKestSettings {
public:
    TKestSettings();
    explicit TKestSettings(QString fileName);

    static QString defaultFileName();
    QString fileName() const { return m_fileName; }

    // False when the file cannot be opened for this operation (for example for lack of rights).
    bool canOpen(bool forWriting) const;

    // std::nullopt when the file cannot be opened; an empty QVariant when the value is missing.
    std::optional<QVariant> read(const QString& name) const;
    bool write(const QString& name, const QVariant& value);
    bool remove(const QString& name); // a group name removes the whole group
    bool contains(const QString& name) const;

private:
    QString m_fileName;
};
