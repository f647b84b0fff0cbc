#include "core/kernel/TableSchema.h"

#include "core/kernel/KestError.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

TableSchema::TableSchema(QString name, std::vector<FieldDef> fieldDefs)
    : tableName(std::move(name))
    , fields(std::move(fieldDefs))
{
    slotOf.reserve(fields.size());
    for (const FieldDef& field : fields)
        slotOf.push_back(field.type == FieldType::Text ? textCount++ : numberCount++);
}

int TableSchema::indexOf(const QString& fieldName) const
{
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

namespace Tables {
namespace {

TableSchema drawSchema(const QString& name)
{
    const auto number = [](const char* n) { return FieldDef{n, FieldType::Float, 0}; };
    const auto text = [](const char* n, int size) { return FieldDef{n, FieldType::Text, size}; };
    return TableSchema(name, {number("KEY"),
                              text("DRAWDATE", 21),
                              number("BALL1"),
                              number("BALL2"),
                              number("BALL3"),
                              number("BALL4"),
                              number("BALL5"),
                              number("BALL6"),
                              number("BONUSBALL"),
                              number("DIV1"),
                              number("DIV2"),
                              number("DIV3"),
                              number("DIV4"),
                              number("DIV5"),
                              number("DIV6"),
                              number("DIV7"),
                              number("DIV1NOWIN"),
                              number("DIV2NOWIN"),
                              number("DIV3NOWIN"),
                              number("DIV4NOWIN"),
                              number("DIV5NOWIN"),
                              number("DIV6NOWIN"),
                              number("DIV7NOWIN"),
                              number("PRIZEPAYABLE"),
                              number("ROLLOVER"),
                              number("ROLLOVERCOUNT"),
                              text("PROVISIONAL", 6),
                              number("TOTALSALES"),
                              text("DRAWMACHINE", 2),
                              number("BALLSET"),
                              number("NEXTESTIMATEDJACKPOT"),
                              number("NEXTGUARANTEEDJACKPOT")});
}

TableSchema frequencySchema(const QString& name)
{
    return TableSchema(name, {{"BallNr", FieldType::Float, 0}, {"Total", FieldType::Float, 0}});
}

TableSchema historySchema()
{
    std::vector<FieldDef> fields{{"KEY", FieldType::AutoInc, 0}, {"DrawDate", FieldType::Text, 50}};
    for (int number = 1; number <= 49; ++number)
        fields.push_back({QString::asprintf("%.2d", number), FieldType::Float, 0});
    return TableSchema(History, std::move(fields));
}

const std::vector<TableSchema>& schemas()
{
    static const std::vector<TableSchema> all{
        drawSchema(Lotto),
        drawSchema(LottoPlus),
        frequencySchema(Numbers),
        frequencySchema(Bonus),
        TableSchema(Favourites,
                    {{"Key", FieldType::AutoInc, 0}, {"FavouriteNr", FieldType::Float, 0}}),
        historySchema(),
    };
    return all;
}

QString sqlType(FieldType type)
{
    switch (type) {
    case FieldType::Float:
        return "REAL";
    case FieldType::Text:
        return "TEXT";
    case FieldType::AutoInc:
        return "INTEGER PRIMARY KEY AUTOINCREMENT";
    }
    return {};
}

} // namespace

const TableSchema& schemaFor(const QString& tableName)
{
    for (const TableSchema& schema : schemas()) {
        if (schema.tableName.compare(tableName, Qt::CaseInsensitive) == 0)
            return schema;
    }
    throw TKestError(QString("Unknown table: %1").arg(tableName));
}

QStringList allTableNames()
{
    QStringList names;
    for (const TableSchema& schema : schemas())
        names << schema.tableName;
    return names;
}

void createTableFile(const QString& path, const QString& tableName)
{
    const TableSchema& schema = schemaFor(tableName);
    if (QFileInfo::exists(path))
        throw TKestError(QString("Table already exists: %1").arg(path));
    const QString connection = "create-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QStringList columns;
            for (const FieldDef& field : schema.fields)
                columns << QString("\"%1\" %2").arg(field.name, sqlType(field.type));
            // The hidden column that keeps the table order.
            columns << "\"_order\" INTEGER NOT NULL";
            QSqlQuery query(db);
            if (!query.exec("PRAGMA journal_mode=WAL") ||
                !query.exec(QString("CREATE TABLE \"records\" (%1)").arg(columns.join(", "))) ||
                !query.exec("CREATE INDEX \"records_order\" ON \"records\" (\"_order\")"))
                error = query.lastError().text();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!error.isEmpty()) {
        QFile::remove(path);
        throw TKestError(QString("Cannot create table %1: %2").arg(path, error));
    }
}

} // namespace Tables
