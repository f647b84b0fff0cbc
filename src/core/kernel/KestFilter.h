#pragma once

#include "core/kernel/TableSchema.h"

#include <QString>
#include <memory>

// A filter expression of the store, compiled against one table's fields. The expression is
// evaluated here and never handed to SQL.
//
// Grammar (keywords and field names without regard to case):
//   expr       := orExpr
//   orExpr     := andExpr { OR andExpr }
//   andExpr    := notExpr { AND notExpr }          -- AND binds tighter than OR
//   notExpr    := NOT notExpr | primary
//   primary    := '(' expr ')' | comparison
//   comparison := field op value
//   field      := NAME | '[' NAME ']'
//   op         := '=' | '<>' | '<' | '>' | '<=' | '>='
//   value      := "'" chars "'" | number
// A quoted value is read as a number for a number field and compared as text for a text
// field. A quoted value ending in '*' is a prefix match, allowed with '=' and '<>' on text
// fields only. Text compares without regard to case and to the blanks before and after it, on
// both sides. An empty number compares as 0.
class TKestFilter {
public:
    TKestFilter();
    ~TKestFilter();
    TKestFilter(TKestFilter&&) noexcept;
    TKestFilter& operator=(TKestFilter&&) noexcept;

    // Throws TKestError with a message saying what could not be read.
    static TKestFilter compile(const QString& expression, const TableSchema& schema);

    bool matches(const TableRow& row) const;

    struct Node;

private:
    std::unique_ptr<Node> m_root;
};
