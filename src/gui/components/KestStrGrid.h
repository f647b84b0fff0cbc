#pragma once

#include <QTableWidget>

// A string grid whose cells are edited in place. Beyond the usual grid it appends an empty row
// when the cursor would leave the last row: Tab (without Shift) in the last cell, or Down
// (without Shift) anywhere in the last row. Rows are never removed one by one.
//
// Like a string grid, a cell takes the editor's text at every keystroke and reports it through
// cellTextEdited, so that a check can refuse a character the moment it is typed.
class TKestStrGrid : public QTableWidget {
    Q_OBJECT

public:
    explicit TKestStrGrid(QWidget* parent = nullptr);

    QString cellText(int row, int column) const;
    // Also replaces the text of an open editor on that cell.
    void setCellText(int row, int column, const QString& text);
    // Empties every cell and leaves `rows` rows.
    void clearCells(int rows);

signals:
    // The user changed the text of a cell by editing; the cell already holds it.
    void cellTextEdited(int row, int column, const QString& text);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    void appendRow();
};
