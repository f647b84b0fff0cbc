#pragma once

#include <QWidget>
#include <array>

class CompanionCounts;

// A 49 by 49 grid of how often each pair of numbers was drawn together: darker cells for
// pairs drawn more often. Hovering a cell names the pair and its count; a click on it (or
// Enter on the cell under the keyboard cursor) reports the pair.
class PairHeatMap : public QWidget {
    Q_OBJECT

public:
    explicit PairHeatMap(QWidget* parent = nullptr);

    void setCounts(const CompanionCounts& counts);
    int count(int first, int second) const;
    // The cell of the pair, in widget coordinates.
    QRect cellRect(int first, int second) const;

    QSize sizeHint() const override;

signals:
    void pairClicked(int first, int second);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr int Numbers = 49;
    // The pair under a point, smaller number first; {0, 0} off the grid or on the diagonal.
    std::pair<int, int> pairAt(QPoint point) const;
    QRect gridRect() const;
    int cellSize() const;

    std::array<std::array<int, Numbers + 1>, Numbers + 1> m_counts{};
    int m_lowest = 0;
    int m_highest = 0;
    std::pair<int, int> m_cursor{1, 2}; // the keyboard's cell
};
