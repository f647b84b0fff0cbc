#include "gui/records/AddDrawWindow.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/records/DrawEntry.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
void notify(const char* text)
{
    if (TKernel* kernel = TKernel::instance())
        kernel->ShowNotice(text);
}
} // namespace

AddDrawWindow::AddDrawWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmAdd",
                   .caption = "Drawsage",
                   .title = "Add New Record",
                   .description = "Add a new draw manually to the database"},
                  parent)
{
    auto* numbers = new QHBoxLayout;
    auto* numbersLabel = new QLabel("&Winning Numbers", this);
    numbers->addWidget(numbersLabel);
    numbers->addSpacing(12);
    for (int i = 0; i < 6; ++i) {
        m_balls[i] = addBox(QString("BA%1").arg(i + 1), 2);
        m_balls[i]->setToolTip(QString("Ball %1").arg(i + 1));
        numbers->addWidget(m_balls[i]);
    }
    numbersLabel->setBuddy(m_balls[0]);
    numbers->addWidget(new QLabel("-", this));
    m_bonus = addBox("Edit22", 2);
    m_bonus->setToolTip("Bonus Ball");
    numbers->addWidget(m_bonus);
    numbers->addStretch();
    for (QLineEdit* ball : m_balls)
        ball->setFixedWidth(ball->fontMetrics().horizontalAdvance("000") + 16);
    m_bonus->setFixedWidth(m_balls[0]->width());
    contentLayout()->addLayout(numbers);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(16);
    auto* draw = new QFormLayout;
    draw->setHorizontalSpacing(12);
    m_date = new QDateEdit(this);
    m_date->setObjectName("DateTimePicker1");
    m_date->setDisplayFormat("dd MMMM yyyy");
    m_date->setCalendarPopup(true);
    draw->addRow("Draw &Date", m_date);
    m_machine = new QComboBox(this);
    m_machine->setObjectName("ComboBox2");
    m_machine->addItems({"A", "B", "C"});
    draw->addRow("Draw &Machine", m_machine);
    m_ballSet = addBox("Edit21", 2);
    draw->addRow("&Ballset", m_ballSet);
    m_totalSales = addBox("Edit15");
    draw->addRow("Total &Sales", m_totalSales);
    m_prizePool = addBox("Edit16");
    draw->addRow("&Prize Pool", m_prizePool);
    m_rollover = addBox("Edit18");
    draw->addRow("&Roll Over Amount", m_rollover);
    m_rolloverCount = addBox("Edit17", 1);
    draw->addRow("Roll Over &Count", m_rolloverCount);
    m_nextEstimated = addBox("Edit19");
    draw->addRow("Next  &Estimated Jackpot", m_nextEstimated);
    m_nextGuaranteed = addBox("Edit20");
    draw->addRow("Next &Guaranteed Jackpot", m_nextGuaranteed);
    columns->addLayout(draw);

    auto* divisions = new QGroupBox("Divisions", this);
    auto* grid = new QGridLayout(divisions);
    for (int i = 0; i < 7; ++i) {
        m_winners[i] = addBox(QString("Edit%1").arg(2 * i + 1));
        m_amounts[i] = addBox(QString("Edit%1").arg(2 * i + 2));
        grid->addWidget(new QLabel(QString("Division %1 Winners").arg(i + 1), divisions), i, 0);
        grid->addWidget(m_winners[i], i, 1);
        grid->addWidget(new QLabel("Total Amount", divisions), i, 2);
        grid->addWidget(m_amounts[i], i, 3);
    }
    columns->addWidget(divisions);
    contentLayout()->addLayout(columns);

    m_ok = addButton("Button1", "&OK");
    m_ok->setToolTip("Update the database and close this dialog.");
    m_ok->setEnabled(false);
    m_ok->setDefault(true);
    QPushButton* cancel = addButton("Button3", "&Cancel");
    cancel->setToolTip("Close this dialog");
    connect(m_ok, &QPushButton::clicked, this, &AddDrawWindow::store);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    for (QLineEdit* ball : m_balls)
        connect(ball, &QLineEdit::textChanged, this, [this, ball] { checkBall(ball); });
    connect(m_bonus, &QLineEdit::textChanged, this, [this] { checkBall(m_bonus); });
    connect(m_ballSet, &QLineEdit::textChanged, this, &AddDrawWindow::checkBallSet);
}

QLineEdit* AddDrawWindow::addBox(const QString& name, int maxLength)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

void AddDrawWindow::markBox(QLineEdit* box, bool valid, const char* notice)
{
    if (valid) {
        box->setPalette(QPalette());
    } else {
        QPalette error = box->palette();
        error.setColor(QPalette::Base, errorBackground());
        error.setColor(QPalette::Text, Qt::white);
        box->setPalette(error);
        notify(notice);
    }
    // OK follows the most recent check; the draw itself is checked again when OK stores it.
    m_ok->setEnabled(valid);
}

void AddDrawWindow::checkBall(QLineEdit* box)
{
    const DrawEntryRules::Check check = DrawEntryRules::checkBall(box->text());
    if (check != DrawEntryRules::Check::Unchanged)
        markBox(box, check == DrawEntryRules::Check::Valid, DrawEntryRules::BallRange);
}

void AddDrawWindow::checkBallSet()
{
    const DrawEntryRules::Check check = DrawEntryRules::checkBallSet(m_ballSet->text());
    if (check != DrawEntryRules::Check::Unchanged)
        markBox(m_ballSet, check == DrawEntryRules::Check::Valid, DrawEntryRules::BallSetEmpty);
}

DrawEntry AddDrawWindow::entry() const
{
    DrawEntry entry;
    entry.date = m_date->date();
    for (int i = 0; i < 6; ++i)
        entry.balls[i] = m_balls[i]->text();
    entry.bonus = m_bonus->text();
    entry.machine = m_machine->currentText();
    entry.ballSet = m_ballSet->text();
    entry.totalSales = m_totalSales->text();
    entry.prizePool = m_prizePool->text();
    entry.rollover = m_rollover->text();
    entry.rolloverCount = m_rolloverCount->text();
    entry.nextEstimated = m_nextEstimated->text();
    entry.nextGuaranteed = m_nextGuaranteed->text();
    for (int i = 0; i < 7; ++i) {
        entry.divisionAmounts[i] = m_amounts[i]->text();
        entry.divisionWinners[i] = m_winners[i]->text();
    }
    return entry;
}

void AddDrawWindow::store()
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return;
    try {
        DrawEntryRules::store(kernel->ResultsTable, entry());
    } catch (const TKestError& error) {
        kernel->ShowNotice(error.message());
        return;
    }
    emit drawStored();
    m_ok->setEnabled(false);
    kernel->ResultsTable.First();
    close();
}

void AddDrawWindow::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    m_date->setDate(QDate::currentDate());
}

void AddDrawWindow::closeEvent(QCloseEvent* event)
{
    TKestDialog::closeEvent(event);
    m_ok->setEnabled(false);
}
