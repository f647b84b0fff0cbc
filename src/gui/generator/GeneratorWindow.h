#pragma once

#include "core/generator/Generator.h"
#include "core/kernel/PrintDocument.h"
#include "gui/components/KestDialog.h"
#include "gui/components/KestUpDown.h"

#include <QWidget>
#include <array>
#include <optional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QStatusBar;
class QTabWidget;
class QToolButton;
class TKernel;
class StatisticsListView;

// The number board of the "Custom" page: a cell per number, 5 to a row. A number is picked
// only while fewer than the limit are picked; a click on a picked number unpicks it.
class PickBoard : public QWidget {
    Q_OBJECT

public:
    explicit PickBoard(QWidget* parent = nullptr);

    void setLimit(int limit) { m_limit = limit; }
    int limit() const { return m_limit; }
    // As a click on the number's cell does, without the clicked() signal.
    void toggle(int number);
    void clear();
    // Picks exactly these numbers, whatever the limit.
    void setPicked(const QList<int>& numbers);
    // Ascending.
    QList<int> picked() const;
    int pickedCount() const;
    QToolButton* cell(int number) const { return m_cells[number - 1]; }

signals:
    // A cell was clicked (before it toggles).
    void clicked();
    void picksChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::array<QToolButton*, 49> m_cells{};
    int m_limit = 0;
};

// The combination generator window: the "Generator" page makes combinations from the frequency
// ranking, the "Custom" page from a template over picked numbers; the result list can be
// sorted and saved as a ticket. While it is shown the main window is disabled.
class GeneratorWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit GeneratorWindow(QWidget* parent = nullptr);

    const TCombinationGenerator& engine() const { return m_engine; }
    bool running() const { return m_running; }
    // The result list as shown, with the run's status, as printed.
    PrintDocument document() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The Calculate / Generate command of the page shown.
    void Calculate();
    void Stop();
    void Clear();
    void Save();

    QWidget* buildGeneratorPage();
    QWidget* buildCustomPage();
    QWidget* buildButtons();
    void buildStatusBar();

    bool onCustomPage() const;
    bool favouritesExist() const;
    std::optional<int> count() const;
    void showOdds(int lines);
    void countEdited(const QString& text);
    void modeChosen();
    void generatorPageShown();
    GeneratorOptions generatorOptions() const;

    void generate();
    void applyTemplate();
    void beginRun();
    void finishRun(bool finished);
    void endRun();
    void restoreCursor();
    void showRun();
    void showRating();

    void customPageShown();
    void listTemplates();
    QString templateFile() const;
    // Steps that read and check the chosen template; false when it could not be read.
    bool readTemplate();
    void loadTemplate(bool showOdds);
    void templateChosen();
    void editorClosed();
    void cellClicked();
    void picksChanged();
    void setAutoSelectEnabled(bool enabled);
    void autoSelect(const std::function<QList<int>()>& order, bool rereadTemplate);
    QList<int> randomSelection(int total);
    void updateGenerateButton();

    TKernel* kernel() const;

    TCombinationGenerator m_engine;
    bool m_running = false;
    bool m_busyCursor = false;
    bool m_selectionStopped = false;
    bool m_listing = false;

    // The Custom page's state.
    bool m_templatesAvailable = false;
    std::optional<TemplateData> m_template;
    QLabel* m_coverage = nullptr;
    QLabel* m_overClaim = nullptr;

    QTabWidget* m_pages = nullptr;
    QWidget* m_generatorPage = nullptr;
    QWidget* m_customPage = nullptr;

    QLineEdit* m_countEdit = nullptr;
    TKestUpDown* m_countSpin = nullptr;
    QCheckBox* m_useOddEven = nullptr;
    QCheckBox* m_useLowHigh = nullptr;
    QSlider* m_oddEven = nullptr;
    QSlider* m_lowHigh = nullptr;
    QList<QLabel*> m_sliderLabels;
    QWidget* m_frequencyGroup = nullptr;
    QButtonGroup* m_frequency = nullptr;
    QRadioButton* m_quickPick = nullptr;
    QRadioButton* m_useFrequency = nullptr;
    QCheckBox* m_preferDue = nullptr;
    QCheckBox* m_preferOverdue = nullptr;
    QCheckBox* m_preferFavourites = nullptr;
    QCheckBox* m_preventDuplicates = nullptr;
    QCheckBox* m_preventDrawn = nullptr;

    PickBoard* m_board = nullptr;
    QComboBox* m_templateList = nullptr;
    QToolButton* m_editTemplate = nullptr;
    QLabel* m_selectionTotal = nullptr;
    QLabel* m_totalCombinations = nullptr;
    QLabel* m_guaranteedHit = nullptr;
    QList<QPushButton*> m_autoSelect; // Button4, 10, 11, 12, 5, 6, 9
    QPushButton* m_favouritePick = nullptr;

    QPushButton* m_calculate = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_save = nullptr;

    StatisticsListView* m_results = nullptr;
    QStatusBar* m_statusBar = nullptr;
    std::array<QLabel*, 5> m_panels{};
};
