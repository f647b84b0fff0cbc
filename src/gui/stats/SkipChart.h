#pragma once

#include <QDialog>

class QChartView;
class QLabel;
struct DrawBalls;
using DrawList = std::vector<DrawBalls>;

// "Skip History": for one number, a point per appearance as a main ball, oldest on the left,
// for the draws that passed since the appearance before it; then the current skip, with the
// longest and the average skip below.
class SkipChart : public QDialog {
    Q_OBJECT

public:
    explicit SkipChart(QWidget* parent = nullptr);

    void showNumber(const DrawList& draws, int number);

private:
    QChartView* m_chart;
    QLabel* m_summary;
};
