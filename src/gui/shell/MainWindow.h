#pragma once

#include "core/kernel/ProcessorLoad.h"

#include <QDeadlineTimer>
#include <QMainWindow>

#include <array>

class QAction;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QMenuBar;
class QSplitter;
class QTableView;
class QToolBar;
class TKernel;
class TKestContainer;
class TKestExBar;
class TKestTableModel;
class StatisticsPages;

// The main window: the draws of the current game over the statistics pages, the task bar, the
// news line, the tool bars and every command. It does not touch the kernel until it is first
// shown, because it is created before the kernel.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Controls under their designer names.
    QToolBar* tbMain = nullptr;
    QMenuBar* tbMenu = nullptr;
    QToolBar* tbTools = nullptr;
    QToolBar* tbFilter = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* lblMarquee = nullptr;
    QLabel* Label3 = nullptr;
    QTableView* LottoGrid = nullptr;
    TKestContainer* frmGraph = nullptr;
    QLabel* Label2 = nullptr;
    StatisticsPages* PageControl1 = nullptr;
    QSplitter* Splitter = nullptr;
    // The side task bar; built by the first RecalculateAll.
    TKestExBar* TaskBar = nullptr;
    // The status bar's five panels: known draws, random seed, processor load, game, filter.
    std::array<QLabel*, 5> StatusPanels{};

    // The command of that designer name (TBItem5, btnExecute, ...).
    QAction* command(const QString& name) const;

    // Shows the secondary window of that class, created at start as a child of this window.
    template <class Window> Window* showWindow()
    {
        Window* window = findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
        if (window) {
            window->show();
            window->raise();
            window->activateWindow();
        }
        return window;
    }

    template <class Window> std::function<void()> shows()
    {
        return [this] { showWindow<Window>(); };
    }

    // Rebuilds the statistics, then the chart and the task bar.
    void RecalculateAll();
    // RecalculateAll, then every statistics page filled again.
    void ShowStatistics();
    // The task bar's click handler.
    void ItemClick(QObject* sender, int id);

    // Where the help file is looked for; the working folder unless a test says otherwise.
    void setHelpFolder(const QString& folder) { m_helpFolder = folder; }
    QString runningScript() const { return m_runningScript; }

signals:
    // The first showing has filled the window.
    void ready();

protected:
    void showEvent(QShowEvent* event) override;
    // The pop-up menu of the tool bars and the news line: which bars are shown.
    QMenu* createPopupMenu() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createCommands();
    void createMenus();
    void createToolBars();
    void createCentre();
    void createStatusBar();
    QAction* addCommand(const QString& name, const QString& caption, const QString& hint,
                        const std::function<void()>& run);
    void addVisibilityToggle(const QString& name, const QString& caption, const QString& hint);

    void FormShow();
    void buildTaskBar();
    void refreshHotAndCold(bool firstBuild);
    void followGridCursor();
    void ShowCalculating();
    void SystemTimerTick();
    void ScrollTimerTick();
    void RandomTimerTick();

    // Commands.
    void RemoveDraw();
    void UpdateCommand();
    void HelpCommand(bool reportFailure);
    void ContactCommand();
    void MagnifierCommand();
    void ViewSavedTicket();
    void SwitchGame(const QString& tableName);

    // The filter tool bar.
    void FillScriptList();
    void ChooseScript(int index);
    void RunScript();
    void StopScript();
    void OpenScript();

    TKernel* m_kernel = nullptr;
    TKestTableModel* m_drawModel = nullptr;
    ProcessorLoad m_processorLoad;
    QString m_helpFolder;
    QString m_script;        // the script the filter commands run
    QString m_runningScript; // its name as the status bar shows it
    QDeadlineTimer m_nextSeedShowing;
    QHBoxLayout* m_body = nullptr; // task bar | grid over pages
    int m_hotColdGroup = -1;
    bool m_shown = false;
};
