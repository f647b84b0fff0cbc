#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The layout of one table file: its fields in stored order. The statistics read several
// fields by position, so the order here is part of the file format.
enum class FieldType {
    Float,   // 64-bit float; whole numbers too
    Text,    // text with a maximum length
    AutoInc, // key assigned by the store, read-only
};

struct FieldDef {
    QString name;
    FieldType type = FieldType::Float;
    int size = 0; // maximum length of a text field
};

struct TableSchema {
    QString tableName; // file name, e.g. "NL00A1.DB"
    std::vector<FieldDef> fields;
    // For each field, its index in TableRow::numbers (Float, AutoInc) or TableRow::texts (Text).
    std::vector<int> slotOf;
    int numberCount = 0;
    int textCount = 0;

    TableSchema() = default;
    TableSchema(QString name, std::vector<FieldDef> fieldDefs);

    // Position of a field, matched without regard to case; -1 when there is none.
    int indexOf(const QString& fieldName) const;
};

// One record as the store keeps it in memory. Numbers and texts are kept apart so that a
// table of 100,000 draws stays small.
struct TableRow {
    qint64 rowId = 0;            // identity in the store
    qint64 order = 0;            // table order (hidden column)
    std::vector<double> numbers; // NaN marks an empty value
    std::vector<QString> texts;
};

namespace Tables {
inline constexpr auto Lotto = "NL00A1.DB";
inline constexpr auto LottoPlus = "NL00A2.DB";
inline constexpr auto Numbers = "NL00B1.DB";
inline constexpr auto Bonus = "NL00B2.DB";
inline constexpr auto Favourites = "NL00C1.DB";
inline constexpr auto History = "NL00D1.DB";

// Positions of the draw record's fields.
enum DrawField {
    Key = 0,
    DrawDate = 1,
    Ball1 = 2,
    BonusBall = 8,
    Div1 = 9,
    Div1NoWin = 16,
    PrizePayable = 23,
    Rollover = 24,
    RolloverCount = 25,
    Provisional = 26,
    TotalSales = 27,
    DrawMachine = 28,
    BallSet = 29,
    NextEstimatedJackpot = 30,
    NextGuaranteedJackpot = 31,
    DrawFieldCount = 32
};

// The schema of a known table file, by file name (case ignored). Throws TKestError for a
// name that is none of the six.
const TableSchema& schemaFor(const QString& tableName);

// The six table file names.
QStringList allTableNames();

// Writes a new, empty table file with the schema of its name. Used by the installation only:
// the program itself never creates tables. Throws TKestError when the file cannot be made.
void createTableFile(const QString& path, const QString& tableName);
} // namespace Tables
