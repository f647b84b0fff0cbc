#pragma once

#include "gui/components/KestDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The filter script editor. Its script box holds the script that every filter command runs,
// the main window's filter tool bar included.
class FilterEditor : public TKestDialog {
    Q_OBJECT

public:
    explicit FilterEditor(QWidget* parent = nullptr);

    QString script() const;
    void setScript(const QString& script);
    // Loads a script file into the script box; a file that cannot be read changes nothing.
    void loadScript(const QString& path);
    // Filters the draws by the script box, then asks for the refresh.
    void runScript();
    // What may be used while a filter runs and while none does.
    void followFilterState(bool filtered);

signals:
    // The saved scripts may have changed: a script was saved, or the window was closed.
    void scriptsChanged();
    // A script file was opened here; the status bar names the running script by its path.
    void scriptOpened(const QString& path);
    // The draws that pass changed: statistics rebuilt first when `recalculate`, then the pages.
    void refreshRequested(bool recalculate);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void addComparison();
    void append(const QString& text);
    void openScript();
    void saveScript();
    void stopScript();
    void calculateClicked(bool checked);

    QComboBox* m_field = nullptr;       // FieldBox
    QComboBox* m_operator = nullptr;    // OperatorBox
    QLineEdit* m_value = nullptr;       // ValueBox
    QPlainTextEdit* m_script = nullptr; // ScriptBox
    QCheckBox* m_calculate = nullptr;   // CheckBox1
    QList<QWidget*> m_whileUnfiltered;  // usable while no filter runs
    QPushButton* m_stop = nullptr;      // btnStop
    QString m_filterFolder;
    QString m_saveFolder; // where the save dialog was last
};
