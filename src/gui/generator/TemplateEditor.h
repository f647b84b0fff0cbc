#pragma once

#include "core/generator/TemplateFile.h"
#include "gui/components/KestDialog.h"
#include "gui/components/KestUpDown.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TKestStrGrid;

// The template editor: a grid of slot numbers, six per row, with the selection total and the
// guaranteed match of the template. Templates are opened from and saved to the templates
// folder; New and Close offer to save changes first.
class TemplateEditor : public TKestDialog {
    Q_OBJECT

public:
    explicit TemplateEditor(QWidget* parent = nullptr);

    static constexpr auto SaveQuestion = "Do you like to save your changes?";
    static constexpr auto NumericNotice = "Only numeric values are allowed";
    static constexpr auto RangeNotice = "Only a range of 1 to 49 is allowed";
    static constexpr auto OpenFailure = "Unable to open template";

signals:
    // The editor has closed, possibly after saving: the template list may have changed.
    void closed();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void checkCell(int row, int column, const QString& text);
    void openTemplate();
    void saveTemplate();
    void newTemplate();
    void reset();
    // Asks whether to save changes: Yes saves and keeps the content, No resets.
    void askToSave();
    void fill(const TemplateData& values);
    TemplateData content() const;
    void showCount(int count);
    // The rows' true guarantee, worked out afresh after every change.
    void showCoverage();
    void setModified();
    void notice(const QString& text);

    QLineEdit* m_selectionTotal = nullptr;
    TKestUpDown* m_selectionTotalSpin = nullptr;
    QLineEdit* m_guaranteedMatch = nullptr;
    TKestUpDown* m_guaranteedMatchSpin = nullptr;
    TKestStrGrid* m_grid = nullptr;
    QPushButton* m_openButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_newButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QLabel* m_statusPanel = nullptr;
    QLabel* m_coverage = nullptr;
    QString m_fileName; // the file last opened or saved, whose name may claim a guarantee
    bool m_modified = false;
};
