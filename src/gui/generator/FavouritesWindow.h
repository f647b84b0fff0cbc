#pragma once

#include "gui/components/KestDialog.h"
#include "gui/components/NumberGrid.h"

#include <array>
#include <optional>

class QLabel;
class QPushButton;

// The favourite numbers being chosen: which of 1 to 49 are selected and the main-ball count each
// had when it was selected, so that the average follows the moment of choice.
class FavouriteSelection {
public:
    bool isSelected(int number) const; // false outside 1 to 49
    int count() const { return m_count; }
    // The sum of the captured counts over the selection's size, truncated; 0 when empty.
    int average() const;
    // Selects an unselected number with its current count, or unselects a selected one.
    // Numbers outside 1 to 49 are left alone.
    void toggle(int number, int currentCount);
    void clear();

private:
    std::array<std::optional<int>, 50> m_captured{};
    int m_count = 0;
};

// Stars (0 to 5) for a selection's average against the highest count of any number. An empty
// selection or a database without draws earns none; an average above the top earns five.
int FavouriteStars(int selectedCount, int average, int top);

// The board of the numbers 1 to 49, ten to a row, each cell drawn in its selected or
// unselected state. The 50th cell is empty.
class FavouriteBoard : public QWidget {
    Q_OBJECT

public:
    static constexpr NumberGrid Grid{10, 5, 20};

    FavouriteBoard(const FavouriteSelection& selection, QWidget* parent);

    // The top left corner of a number's cell; the empty cell is number 50.
    static QPoint cellOrigin(int number);

signals:
    // A cell was clicked: its number, or 0 for the empty cell.
    void cellClicked(int number);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const FavouriteSelection& m_selection;
};

// The favourite numbers window: a board to choose the numbers, how many are chosen, their
// average count and a star rating. Save replaces the favourites table with the choice.
class FavouritesWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit FavouritesWindow(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void load();
    void toggle(int number);
    void clearSelection();
    void save();
    void showStatus();

    FavouriteSelection m_selection;
    FavouriteBoard* m_board = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_average = nullptr;
    QLabel* m_rating = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};
