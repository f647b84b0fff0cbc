#pragma once

#include "gui/components/KestDialog.h"

#include <array>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
struct DrawEntry;

// The window for entering a draw by hand. OK stores the draw at the top of the current game's
// draws; a draw the table cannot take keeps the window open with its entries.
class AddDrawWindow : public TKestDialog {
    Q_OBJECT

public:
    explicit AddDrawWindow(QWidget* parent = nullptr);

    // The error colours of a box that holds a value out of range.
    static QColor errorBackground() { return QColor(255, 99, 23); }

signals:
    // A draw was stored; the statistics are to be rebuilt.
    void drawStored();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit* addBox(const QString& name, int maxLength = 0);
    void checkBall(QLineEdit* box);
    void checkBallSet();
    void markBox(QLineEdit* box, bool valid, const char* notice);
    DrawEntry entry() const;
    void store();

    std::array<QLineEdit*, 6> m_balls{};   // BA1 ... BA6
    QLineEdit* m_bonus = nullptr;          // Edit22
    QDateEdit* m_date = nullptr;           // DateTimePicker1
    QComboBox* m_machine = nullptr;        // ComboBox2
    QLineEdit* m_ballSet = nullptr;        // Edit21
    QLineEdit* m_totalSales = nullptr;     // Edit15
    QLineEdit* m_prizePool = nullptr;      // Edit16
    QLineEdit* m_rollover = nullptr;       // Edit18
    QLineEdit* m_rolloverCount = nullptr;  // Edit17
    QLineEdit* m_nextEstimated = nullptr;  // Edit19
    QLineEdit* m_nextGuaranteed = nullptr; // Edit20
    std::array<QLineEdit*, 7> m_amounts{}; // Edit2, Edit4 ... Edit14
    std::array<QLineEdit*, 7> m_winners{}; // Edit1, Edit3 ... Edit13
    QPushButton* m_ok = nullptr;           // Button1
};
