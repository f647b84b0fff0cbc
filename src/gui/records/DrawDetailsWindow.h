#pragma once

#include "gui/components/KestDialog.h"

#include <array>

class QLabel;
class StatisticsListView;

// The draw information window: the current draw of the results table in full. Back and Next
// move the table's current draw, so the main window's draw grid follows.
class DrawDetailsWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit DrawDetailsWindow(QWidget* parent = nullptr);

    // Fills the window from the current draw.
    void showDraw();

signals:
    // Back or Next made another draw current.
    void currentDrawChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void step(bool older);

    std::array<QLabel*, 7> m_balls{};       // LC1 ... LC6, Bonus
    QLabel* m_date = nullptr;               // Panel3
    StatisticsListView* m_report = nullptr; // Report
};
