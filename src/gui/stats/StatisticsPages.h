#pragma once

#include <QAbstractTableModel>
#include <QChartView>
#include <QCollator>
#include <QPixmap>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVector>
#include <array>
#include <functional>
#include <vector>

class QAction;
class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QLabel;
class QListWidget;
class QMenu;
class QStackedLayout;
class TKernel;
struct TStatistics;
class TKestTable;
class QValueAxis;

// Rows of texts as a statistics page lists them, one QStringList per row. A row shorter than
// the captions leaves its last cells empty.
class TextRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The text colour of one cell, from the row's own texts; an invalid QVariant keeps the
    // view's colour.
    using ForegroundOf = std::function<QVariant(const QStringList& row, int column)>;

    explicit TextRowsModel(QStringList captions, QObject* parent = nullptr);

    void setRows(std::vector<QStringList> rows);
    const std::vector<QStringList>& rows() const { return m_rows; }
    void setAlignment(int column, Qt::Alignment alignment);
    void setForeground(ForegroundOf foreground) { m_foreground = std::move(foreground); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_captions;
    QVector<Qt::Alignment> m_alignments;
    std::vector<QStringList> m_rows;
    ForegroundOf m_foreground;
};

// The header-click sorting every sortable statistics list shares: each column keeps its own
// direction, the first click sorting ascending and every further click flipping it; rows
// compare by the column's text without regard to case, in the locale's order.
class SortColumnProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit SortColumnProxy(QObject* parent = nullptr);

    // Sorts by the column and returns the direction used.
    Qt::SortOrder SortColumnClick(int column);
    // Back to the rows' own order, as a refill leaves them.
    void showSourceOrder();

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QCollator m_collator;
    QVector<Qt::SortOrder> m_nextOrder; // per column
};

// A read-only list in report style over rows of texts: whole-row selection, fixed row height,
// optionally sorted by header clicks. A refill shows the rows in the order given.
class StatisticsListView : public QTableView {
    Q_OBJECT
public:
    enum Sorting { Unsorted, SortByHeaderClick };

    StatisticsListView(const QString& objectName, const QStringList& captions, Sorting sorting,
                       QWidget* parent = nullptr);

    void setRows(std::vector<QStringList> rows);
    TextRowsModel* rowsModel() const { return m_rows; }
    // The texts of the row the view shows at `viewRow`, whatever the sorting.
    QStringList rowAt(int viewRow) const;

private:
    TextRowsModel* m_rows;
    SortColumnProxy* m_sorter = nullptr;
};

// Draws the combination list's rows itself: white, or the selection grey when selected, black
// text 4 pixels in, and the rating column as its picture instead of its text.
class CombinationDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CombinationDelegate(QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    static constexpr QSize RatingPictureSize{65, 13};

private:
    // Picture i shows 5 - i filled stars, on white and on the selection colour.
    static constexpr int RatingPictureCount = 6;
    std::array<QPixmap, RatingPictureCount> m_ratings;
    std::array<QPixmap, RatingPictureCount> m_selectedRatings;
};

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

// The main window's statistics pages: the two frequency charts, combinations, number
// information, draw information by ball position and the overall report. The pages act on
// the kernel they were last filled from.
class StatisticsPages : public QTabWidget {
    Q_OBJECT
public:
    explicit StatisticsPages(QWidget* parent = nullptr);

    // Refills the combination, overall and number information pages from the kernel's last
    // rebuild (the caller runs TKernel::RecalculateAll first).
    void ShowStatistics(TKernel& kernel);
    // Redraws both frequency charts from the number and bonus tables.
    void RedrawCharts(TKernel& kernel);
    // Refills the draw information page for the ball position selected in its list box.
    void RefreshDrawInformation(TKernel& kernel);

signals:
    // The charts' "Show Magnifier".
    void magnifierRequested();
    // "Filter Number" or "Stop Filter" changed the results table's filter: every page needs
    // a rebuild and refill.
    void drawFilterChanged();

private:
    QWidget* chartPage(const QString& name, const QString& hint, FrequencyChart* chart);
    QWidget* combinationPage();
    QWidget* drawInformationPage();
    void showCombinations(std::vector<QStringList> rows);
    void drawPageShown();
    void filterSelectedNumber();
    void stopFilter();

    TKernel* m_kernel = nullptr;
    QMenu* m_graphMenu;
    FrequencyChart* m_graph;
    FrequencyChart* m_bonusGraph;
    StatisticsListView* m_combTable;
    QStackedLayout* m_combStack = nullptr;
    QLabel* m_calculating = nullptr;
    StatisticsListView* m_rankTable;
    QListWidget* m_positions = nullptr;
    StatisticsListView* m_ballStat = nullptr;
    std::vector<QLabel*> m_summaryValues;
    QMenu* m_ballStatMenu = nullptr;
    QAction* m_stopFilter = nullptr;
    StatisticsListView* m_report;
};

// Reads a frequency table's rows (BallNr, Total) ascending by BallNr, as bars.
std::vector<FrequencyChart::Bar> frequencyBars(const TKestTable& table);
// Marks the task bar's six hot and six cold numbers and gives each bar its tool tip: number,
// count, expected count and when the number was last seen.
void describeBars(std::vector<FrequencyChart::Bar>& bars, const TStatistics& stats, bool filtered);
