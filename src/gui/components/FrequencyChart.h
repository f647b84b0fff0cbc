#pragma once

#include <QChartView>
#include <vector>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QGraphicsSimpleTextItem;
class QValueAxis;

// One bar per number in the program's blue, the value over each bar; no legend, no title, no
// zooming. The value axis is hidden unless a label format is given.
class FrequencyChart : public QChartView {
    Q_OBJECT
public:
    struct Bar {
        QString label;
        qreal value = 0;
    };

    explicit FrequencyChart(const QString& objectName, QWidget* parent = nullptr);

    // Shows the value axis with grouped whole numbers ("#,##0").
    void showValueAxis();
    void setBars(const std::vector<Bar>& bars);
    std::vector<Bar> bars() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitLabels();
    void placeNumberLabels();

    QBarSeries* m_series;
    QBarSet* m_set;
    QBarCategoryAxis* m_categories;
    QValueAxis* m_values;
    // The numbers under the bars. Drawn here rather than by the category axis, which elides
    // its labels as soon as the bars get narrow.
    std::vector<QGraphicsSimpleTextItem*> m_numbers;
    bool m_uprightNumbers = false;
};
