#pragma once

#include "gui/components/KestDialog.h"

#include <array>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class ResultsUpdate;
class UpdateAnimation;
class UpdateErrorList;

// The update wizard: downloads both results files at once, then replaces the draws of each
// game whose file arrived whole. Every opening starts at the welcome page.
class UpdateWizard : public TKestDialog {
    Q_OBJECT

public:
    explicit UpdateWizard(QWidget* parent = nullptr);
    ~UpdateWizard() override;

    enum Page { Step0, Step1, Step2, Step3 };
    Page page() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void reset();
    void next();
    void startDownloads();
    void showProgress(int game, qint64 done, qint64 total, const QString& speed,
                      const QString& estimated);
    void downloadEnded(int game, bool usable);
    void allEnded();
    void installUpdate();
    void showFailure();
    void finish();
    void showPage(Page page);
    UpdateErrorList* errorList() const;

    ResultsUpdate* m_update;
    QStackedWidget* m_pages;
    UpdateAnimation* m_animation;
    std::array<QLabel*, 2> m_status;
    std::array<QProgressBar*, 2> m_bars;
    std::array<int, 2> m_estimates{}; // seconds remaining, by game
    QLabel* m_speed;
    QLabel* m_remaining;
    QPlainTextEdit* m_memo;
    QPushButton* m_details;
    QPushButton* m_next;
    QPushButton* m_close;
    QPushButton* m_back;
    int m_step = 0;
    bool m_installing = false;
};
