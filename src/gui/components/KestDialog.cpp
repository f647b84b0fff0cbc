#include "gui/components/KestDialog.h"

#include "gui/components/KestGradInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int bodyMargin = 12;
constexpr QSize placeholderSize(420, 140);
} // namespace

TKestDialog::TKestDialog(const TKestDialogFrame& frame, QWidget* parent)
    : QDialog(parent)
    , m_centreOnScreen(frame.centreOnScreen)
{
    setObjectName(frame.objectName);
    setWindowTitle(frame.caption);
    setWindowFlags(Qt::Dialog | frame.hints);
    setWindowIcon(programIcon());

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->setSizeConstraint(frame.resizable ? QLayout::SetDefaultConstraint
                                             : QLayout::SetFixedSize);
    if (!frame.title.isEmpty()) {
        auto* banner = new TKestGradInfo(this);
        banner->setObjectName("KestGradInfo1");
        banner->setTitle(frame.title);
        banner->setDescription(frame.description);
        outer->addWidget(banner);
    }

    auto* body = new QVBoxLayout;
    body->setContentsMargins(bodyMargin, bodyMargin, bodyMargin, bodyMargin);
    m_content = new QVBoxLayout;
    body->addLayout(m_content, 1);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch();
    body->addLayout(m_buttons);
    outer->addLayout(body, 1);
}

QPushButton* TKestDialog::addButton(const QString& objectName, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    m_buttons->addWidget(button);
    return button;
}

void TKestDialog::addPlaceholder()
{
    auto* notice = new QLabel(tr("This window arrives in a later version."), this);
    notice->setAlignment(Qt::AlignCenter);
    notice->setMinimumSize(placeholderSize);
    m_content->addWidget(notice);
    connect(addButton("btnClose", tr("&Close")), &QPushButton::clicked, this, &QWidget::close);
}

void TKestDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_centreOnScreen)
        centreOnScreen(this);
}

QIcon programIcon()
{
    // The resources live in a static library: registering them from code that uses them keeps
    // the linker from dropping them.
    static const bool registered = [] {
        Q_INIT_RESOURCE(ui);
        return true;
    }();
    Q_UNUSED(registered);
    return QIcon(":/ui/drawsage.svg");
}

void centreOnScreen(QWidget* window)
{
    const QRect area = window->screen()->availableGeometry();
    QRect placed = window->frameGeometry();
    placed.moveCenter(area.center());
    window->move(placed.topLeft());
}
