#pragma once

#include "gui/components/NumberGrid.h"

#include <QWidget>
#include <array>

// The numbers picked on the checker's board: up to six main numbers and, as the seventh pick,
// the bonus ball.
class CheckPicks {
public:
    static constexpr int MaxPicks = 7;

    // Picks an unpicked number while fewer than seven are picked (the seventh becomes the
    // bonus), or unpicks a picked one. Numbers outside 1 to 49 are ignored.
    void toggle(int number);
    void clear();
    bool isPicked(int number) const;
    int count() const { return m_count; }
    int bonus() const { return m_bonus; }
    // The picked numbers other than the bonus, ascending, 0 for the missing ones; then the bonus.
    std::array<int, MaxPicks> balls() const;

private:
    std::array<bool, 50> m_picked{};
    int m_count = 0;
    int m_bonus = 0;
};

// The board of 1 to 49, five to a row: blank cells, blue balls for the main numbers and a green
// ball for the bonus. A click or Space on the focused cell picks; the arrows move the focus.
class CheckBoard : public QWidget {
    Q_OBJECT

public:
    static constexpr NumberGrid Grid{5, 10, 20};

    CheckBoard(const CheckPicks& picks, QWidget* parent);
    static QPoint cellOrigin(int number);

signals:
    void picked(int number);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const CheckPicks& m_picks;
    int m_focus = 1;
};
