#include "gui/generator/FavouritesWindow.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/kernel/Numbers.h"
#include "gui/components/KestPictures.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr QSize RatingSize(65, 13);
constexpr int TextInset = 3;
const QColor BlankFill(236, 236, 236);
const QColor BlankEdge(178, 178, 178);
const QColor SelectedFill(32, 84, 168);
const QColor SelectedEdge(18, 52, 112);

// The window can exist before the kernel (and without one in tests): counts are then 0.
int currentCount(int number)
{
    const TKernel* kernel = TKernel::instance();
    return kernel && isLottoNumber(number) ? kernel->Stats.Numbers[number].count : 0;
}

// The highest main-ball count: that of the number at rank 1.
int topCount()
{
    const TKernel* kernel = TKernel::instance();
    return kernel ? currentCount(kernel->Stats.Numbers[1].rankedNumber) : 0;
}

QPixmap starsPicture(int stars, const QColor& background)
{
    return ratingPicture(stars, RatingSize, background);
}

} // namespace

bool FavouriteSelection::isSelected(int number) const
{
    return isLottoNumber(number) && m_captured[number].has_value();
}

int FavouriteSelection::average() const
{
    if (m_count == 0)
        return 0;
    int sum = 0;
    for (const std::optional<int>& captured : m_captured)
        sum += captured.value_or(0);
    return sum / m_count;
}

void FavouriteSelection::toggle(int number, int currentCount)
{
    if (!isLottoNumber(number))
        return;
    std::optional<int>& captured = m_captured[number];
    if (captured) {
        captured.reset();
        --m_count;
    } else {
        captured = currentCount;
        ++m_count;
    }
}

void FavouriteSelection::clear()
{
    m_captured.fill(std::nullopt);
    m_count = 0;
}

int FavouriteStars(int selectedCount, int average, int top)
{
    if (selectedCount == 0 || top <= 0)
        return 0;
    const int e = int(std::nearbyint(double(average) / top * 100));
    if (e >= 95)
        return 5;
    if (e >= 89)
        return 4;
    if (e >= 78)
        return 3;
    if (e >= 67)
        return 2;
    if (e >= 40)
        return 1;
    return 0;
}

FavouriteBoard::FavouriteBoard(const FavouriteSelection& selection, QWidget* parent)
    : QWidget(parent)
    , m_selection(selection)
{
    setFixedSize(Grid.size());
    setCursor(Qt::PointingHandCursor);
}

QPoint FavouriteBoard::cellOrigin(int number)
{
    return Grid.cellOrigin(number);
}

void FavouriteBoard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(NumberGrid::numberFont(painter.font()));
    for (int number = 1; number <= 49; ++number) {
        const QRect cell = Grid.cell(number);
        const bool selected = m_selection.isSelected(number);
        painter.setPen(selected ? SelectedEdge : BlankEdge);
        painter.setBrush(selected ? SelectedFill : BlankFill);
        painter.drawRoundedRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        painter.setPen(selected ? Qt::white : palette().color(QPalette::WindowText));
        painter.drawText(cell.adjusted(TextInset, TextInset, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         QString("%1").arg(number, 2, 10, QChar('0')));
    }
}

void FavouriteBoard::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !rect().contains(at))
        return;
    const int number = Grid.numberAt(at);
    emit cellClicked(isLottoNumber(number) ? number : 0);
}

FavouritesWindow::FavouritesWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmFavourite",
                   .caption = "Drawsage",
                   .title = "Add Favourite",
                   .description = "Select your favourite numbers"},
                  parent)
{
    m_board = new FavouriteBoard(m_selection, this);
    m_board->setObjectName("DrawGrid1");
    m_board->setToolTip("Click here to select your favourite numbers.");
    connect(m_board, &FavouriteBoard::cellClicked, this, &FavouritesWindow::toggle);

    auto* board = new QVBoxLayout;
    board->addWidget(new QLabel("Favourite Number(s)", this));
    board->addWidget(m_board);
    board->addStretch();

    auto* status = new QGroupBox(" Selection  Status ", this);
    auto* figures = new QFormLayout(status);
    const auto addFigure = [this, figures](const QString& caption, const QString& name,
                                           const QString& hint) {
        auto* value = new QLabel(this);
        value->setObjectName(name);
        value->setToolTip(hint);
        figures->addRow(caption, value);
        return value;
    };
    m_total = addFigure("Total Numbers :", "lbTot", "Specifies the total numbers you selected.");
    m_average = addFigure("Frequency Ave :", "Label4",
                          "Specifies the total average for all the numbers you've selected.");
    m_rating = addFigure("Selection Rating :", "Image1",
                         "Specifies the rating for your selection out of five stars.");
    m_rating->setFixedSize(RatingSize);

    auto* columns = new QHBoxLayout;
    columns->addLayout(board);
    columns->addSpacing(12);
    columns->addWidget(status, 1);
    contentLayout()->addLayout(columns);

    m_saveButton = addButton("Button1", "&Save");
    m_saveButton->setToolTip("Click here to save your changes.");
    m_clearButton = addButton("Button2", "C&lear");
    m_clearButton->setToolTip("Click here to clear your selection.");
    m_closeButton = addButton("Button3", "&Close");
    m_closeButton->setToolTip("Close this dialog");
    connect(m_saveButton, &QPushButton::clicked, this, &FavouritesWindow::save);
    connect(m_clearButton, &QPushButton::clicked, this, &FavouritesWindow::clearSelection);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);

    m_saveButton->setEnabled(false);
    showStatus();
}

void FavouritesWindow::showEvent(QShowEvent* event)
{
    load();
    TKestDialog::showEvent(event);
}

void FavouritesWindow::hideEvent(QHideEvent* event)
{
    // Unsaved changes are dropped: the next showing reloads the table.
    m_saveButton->setEnabled(false);
    TKestDialog::hideEvent(event);
}

void FavouritesWindow::load()
{
    m_selection.clear();
    if (TKernel* kernel = TKernel::instance(); kernel && kernel->FavouriteTable.Active()) {
        TKestTable& table = kernel->FavouriteTable;
        // Each row toggles its number, so a number stored twice ends unselected.
        for (table.First(); !table.Eof(); table.Next()) {
            const int number = table.AsInteger("FavouriteNr");
            m_selection.toggle(number, currentCount(number));
        }
    }
    showStatus();
}

void FavouritesWindow::toggle(int number)
{
    m_saveButton->setEnabled(true);
    if (number == 0)
        return;
    m_selection.toggle(number, currentCount(number));
    showStatus();
}

void FavouritesWindow::clearSelection()
{
    m_selection.clear();
    showStatus();
    m_saveButton->setEnabled(true);
}

void FavouritesWindow::save()
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return;
    TKestTable& table = kernel->FavouriteTable;
    // Emptied and rewritten as one: a failure leaves the favourites saved before.
    try {
        table.StartTransaction();
        try {
            TKernel::EmptyTable(table);
            if (!table.IsEmpty())
                throw TKestError("Unable to empty the favourite numbers table");
            for (int number = 1; number <= 49; ++number) {
                if (!m_selection.isSelected(number))
                    continue;
                table.Append();
                table.SetField("FavouriteNr", number);
                table.Post();
            }
            table.Commit();
        } catch (const TKestError&) {
            table.Rollback();
            throw;
        }
    } catch (const TKestError& error) {
        emit kernel->errorOccurred(error.message());
        return;
    }
    m_saveButton->setEnabled(false);
}

void FavouritesWindow::showStatus()
{
    const int count = m_selection.count();
    const int average = m_selection.average();
    m_total->setText(QString::number(count));
    m_average->setText(QString::number(average));
    m_rating->setPixmap(starsPicture(FavouriteStars(count, average, topCount()),
                                     palette().color(QPalette::Window)));
    m_clearButton->setEnabled(count > 0);
    m_board->update();
}
