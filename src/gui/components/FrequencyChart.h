#pragma once

#include <QChartView>
#include <vector>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;

// One bar per number in the program's blue, the value over each bar; no legend, no title, no
// zooming. The value axis is hidden unless a label format is given.
class FrequencyChart : public QChartView {
    Q_OBJECT
public:
    enum class Mark { Plain, Hot, Cold };
    struct Bar {
        QString label;
        qreal value = 0;
        Mark mark = Mark::Plain; // hot and cold bars take their own colour
        QString toolTip{};
    };

    explicit FrequencyChart(const QString& objectName, QWidget* parent = nullptr);

    // Shows the value axis with grouped whole numbers ("#,##0").
    void showValueAxis();
    void setBars(const std::vector<Bar>& bars);
    std::vector<Bar> bars() const;
    // Draws the expected height of every bar as a dashed line; none for a negative value.
    void setExpected(qreal expected);
    qreal expected() const { return m_expectedValue; }
    // The tool tip of bar i, shown while the pointer rests on it.
    QString barToolTip(int index) const;

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
    std::vector<Bar> m_bars;
    // Hot and cold bars painted over in their colours; the bar set has one colour only.
    std::vector<QGraphicsRectItem*> m_marks;
    QLineSeries* m_expected;
    QGraphicsSimpleTextItem* m_expectedLabel;
    qreal m_expectedValue = -1;
};
