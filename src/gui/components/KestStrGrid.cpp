#include "gui/components/KestStrGrid.h"

#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

// An editor that hands every keystroke's text to its cell at once.
class LiveTextDelegate : public QStyledItemDelegate {
public:
    explicit LiveTextDelegate(TKestStrGrid* grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        const QPersistentModelIndex cell(index);
        connect(editor, &QLineEdit::textEdited, m_grid, [grid = m_grid, cell](const QString& text) {
            if (!cell.isValid())
                return;
            grid->setCellText(cell.row(), cell.column(), text);
            emit grid->cellTextEdited(cell.row(), cell.column(), text);
        });
        return editor;
    }

    // The cell follows the editor keystroke by keystroke: setting the same text again would
    // move the editor's cursor to the end.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* line = static_cast<QLineEdit*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (line->text() != text)
            line->setText(text);
    }

private:
    TKestStrGrid* m_grid;
};

} // namespace

TKestStrGrid::TKestStrGrid(QWidget* parent)
    : QTableWidget(parent)
{
    setItemDelegate(new LiveTextDelegate(this));
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
}

QString TKestStrGrid::cellText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void TKestStrGrid::setCellText(int row, int column, const QString& text)
{
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(text);
    else
        setItem(row, column, new QTableWidgetItem(text));
}

void TKestStrGrid::clearCells(int rows)
{
    clearContents();
    setRowCount(rows);
}

QModelIndex TKestStrGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    const bool lastRow = current.isValid() && current.row() == rowCount() - 1;
    const bool lastCell = lastRow && current.column() == columnCount() - 1;
    if (!(modifiers & Qt::ShiftModifier) &&
        ((cursorAction == MoveNext && lastCell) || (cursorAction == MoveDown && lastRow)))
        appendRow();
    return QTableWidget::moveCursor(cursorAction, modifiers);
}

void TKestStrGrid::appendRow()
{
    setRowCount(rowCount() + 1);
}
