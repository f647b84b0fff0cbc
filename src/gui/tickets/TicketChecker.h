#pragma once

#include "core/kernel/PrintDocument.h"
#include "gui/components/KestDialog.h"
#include "gui/tickets/CheckBoard.h"

#include <array>

class QComboBox;
class QLabel;
class QStackedWidget;
class QTabWidget;
class StatisticsListView;
class TKestStrGrid;
class TKernel;
class TicketViewer;

// The ticket checker: the current ticket against a draw (Draw tab) or typed combinations
// against numbers picked on a board (Custom tab), and the ticket against every draw.
class TicketChecker : public TKestDialog {
    Q_OBJECT

public:
    explicit TicketChecker(QWidget* parent = nullptr);

    // Runs the check of the active tab.
    void check();
    // The current ticket against every draw the table shows.
    void checkAllDraws();
    void clear();
    // The results shown, with the summary of the Draw tab, as printed.
    PrintDocument document() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildDrawTab();
    QWidget* buildCustomTab();
    TicketViewer* viewer() const;
    TKernel* kernel() const;
    void fillDrawList();
    void fillTicketList();
    void chooseDraw(int index);
    void chooseTicket(int index);
    void openTicket();
    void ticketLoaded(const QString& ticketDate);
    void showViewer();
    void pick(int number);
    void showPicks();
    void drawCheck();
    void customCheck();
    bool beginCheck();
    void endCheck();
    void refreshSummary();
    void setStatus(const QString& progress, const QString& prize);
    void tabChanged(int index);
    StatisticsListView* shownResults() const;

    QTabWidget* PageControl1 = nullptr;
    QComboBox* m_drawList = nullptr;   // DBLookupComboBox1
    QComboBox* m_ticketList = nullptr; // ComboBox1
    StatisticsListView* m_summary = nullptr;
    CheckPicks m_picks;
    CheckBoard* m_board = nullptr;
    QLabel* m_pickCount = nullptr;         // Label14
    std::array<QLabel*, 7> m_pickLabels{}; // a1 ... a6, ab
    TKestStrGrid* m_entry = nullptr;       // KestStrGrid1
    QStackedWidget* m_resultPages = nullptr;
    StatisticsListView* m_results = nullptr; // lvTicket
    StatisticsListView* m_history = nullptr; // lvHistory
    QLabel* m_historyTotals = nullptr;
    QLabel* m_progress = nullptr;   // status panel 0
    QLabel* m_prizeTotal = nullptr; // status panel 1
    QPushButton* m_check = nullptr;
    QPushButton* m_allDraws = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_clear = nullptr;

    QString m_ticketDate;
    QString m_ticketCombinations;
    QString m_highestMatch;
    bool m_running = false;
};
