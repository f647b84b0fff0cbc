#include "gui/components/KestExBar.h"

#include "gui/components/KestGradInfo.h"
#include "gui/components/KestPictures.h"

#include <QAbstractButton>
#include <QHelpEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QRegularExpression>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

constexpr int barWidth = 210;
constexpr int barMargin = 6;
constexpr int groupSpacing = 10;
constexpr int headerHeight = 30;
constexpr int corner = 5;

constexpr int padX = 10;
constexpr int padTop = 8;
constexpr int padBottom = 6; // below the gap the last entry leaves
constexpr int taskGap = 6;
constexpr int ballSize = 22;
constexpr int ballGap = 4;
constexpr int iconSize = 16;
constexpr int iconGap = 4;
constexpr int defaultWidth = barWidth - 2 * barMargin;

const QColor barTop(223, 232, 246);
const QColor barBottom(190, 207, 236);
const QColor bodyFill(248, 250, 254);
const QColor bodyEdge(160, 184, 224);
const QColor linkColour(22, 60, 140);
const QColor linkHover(0, 102, 204);
const QColor hoverFill(224, 235, 252);

QFont headingFont(const QFont& base)
{
    QFont bold = base;
    bold.setBold(true);
    return bold;
}

// The rounded outline of a group part: rounded at the top, at the bottom or all round.
QPainterPath roundedPart(const QRectF& rect, bool roundTop, bool roundBottom)
{
    QPainterPath path;
    path.addRoundedRect(rect, corner, corner);
    QPainterPath square;
    if (!roundTop)
        square.addRect(rect.adjusted(0, 0, 0, -rect.height() / 2));
    if (!roundBottom)
        square.addRect(rect.adjusted(0, rect.height() / 2, 0, 0));
    return path.united(square);
}

// The group header: the caption in white on the banner gradient, the header picture at its
// left and a chevron at its right that points the way a click will move the entries.
class GroupHeader : public QAbstractButton {
public:
    explicit GroupHeader(TKestExGroup* group)
        : QAbstractButton(group)
        , m_group(group)
    {
        setObjectName("header");
        setFixedHeight(headerHeight);
        setCursor(Qt::PointingHandCursor);
        setAttribute(Qt::WA_Hover);
        // A click on the bar leaves the keyboard focus where it was, in the draw grid.
        setFocusPolicy(Qt::NoFocus);
        setText(group->caption());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const bool open = !m_group->entries()->isHidden();
        painter.setClipPath(roundedPart(rect(), true, !open));
        TKestGradInfo::paintGradient(painter, rect());
        if (underMouse())
            painter.fillRect(rect(), QColor(255, 255, 255, 40));
        painter.setClipping(false);

        QRect text = rect().adjusted(10, 0, -30, 0);
        const QPixmap picture = m_group->headerPicture();
        if (!picture.isNull()) {
            const QPixmap scaled = picture.scaledToHeight(height() - 6, Qt::SmoothTransformation);
            painter.drawPixmap(8, 3, scaled);
            text.setLeft(8 + scaled.width() + 6);
        }
        painter.setPen(Qt::white);
        const QFont bold = headingFont(font());
        painter.setFont(bold);
        painter.drawText(
            text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
            QFontMetrics(bold).elidedText(m_group->caption(), Qt::ElideRight, text.width()));
        drawChevron(painter, QPointF(width() - 16, height() / 2.0), open);
    }

private:
    static void drawChevron(QPainter& painter, QPointF centre, bool pointsUp)
    {
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
        painter.setBrush(QColor(255, 255, 255, 40));
        painter.drawEllipse(centre, 8, 8);
        const qreal tip = pointsUp ? -2.5 : 2.5;
        painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF(
            {centre + QPointF(-3.5, -tip), centre + QPointF(0, tip), centre + QPointF(3.5, -tip)}));
    }

    TKestExGroup* m_group;
};

QString groupObjectName(const QString& caption)
{
    QString name = "grp";
    static const QRegularExpression separators("[^A-Za-z0-9]+");
    for (const QString& word : caption.split(separators, Qt::SkipEmptyParts))
        name += word.left(1).toUpper() + word.mid(1);
    return name;
}

} // namespace

// -- TKestExEntries --------------------------------------------------------------------------

TKestExEntries::TKestExEntries(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("entries");
    setMouseTracking(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void TKestExEntries::add(const TKestExEntry& entry)
{
    m_entries << entry;
    updateGeometry();
    update();
}

void TKestExEntries::clear()
{
    m_entries.clear();
    m_hovered = m_pressed = -1;
    unsetCursor();
    updateGeometry();
    update();
}

QList<QRect> TKestExEntries::layoutFor(int width, int* height) const
{
    const QFontMetrics plain(font());
    const QFontMetrics bold(headingFont(font()));
    const int right = width - padX;
    QList<QRect> rects;
    int y = padTop;
    int x = padX; // where the next number goes on the open line of numbers
    bool lineOpen = false;
    const auto closeLine = [&] {
        if (lineOpen)
            y += ballSize + ballGap;
        x = padX;
        lineOpen = false;
    };

    for (const TKestExEntry& entry : m_entries) {
        switch (entry.kind) {
        case TKestExEntry::Number:
            if (lineOpen && x + ballSize > right)
                closeLine();
            rects << QRect(x, y, ballSize, ballSize);
            x += ballSize + ballGap;
            lineOpen = true;
            if (entry.endsLine)
                closeLine();
            break;
        case TKestExEntry::Heading:
            closeLine();
            if (y > padTop)
                y += 4;
            rects << QRect(padX, y, right - padX, bold.height());
            y += bold.height() + 6;
            break;
        case TKestExEntry::Task: {
            closeLine();
            const bool hasIcon = !iconFor(entry).isNull();
            const int left = padX + (hasIcon ? iconSize + iconGap : 0);
            const QRect text = plain.boundingRect(QRect(left, y, right - left, 10000),
                                                  Qt::TextWordWrap, entry.caption);
            const QRect item = hasIcon ? text.united(QRect(padX, y, iconSize, iconSize)) : text;
            rects << item.adjusted(-3, -2, 3, 2);
            y += item.height() + taskGap;
            break;
        }
        }
    }
    closeLine();
    if (height)
        *height = y + padBottom;
    return rects;
}

void TKestExEntries::setIcons(const QList<QIcon>& icons)
{
    m_icons = icons;
    updateGeometry();
    update();
}

QIcon TKestExEntries::iconFor(const TKestExEntry& entry) const
{
    return m_icons.value(entry.imageIndex);
}

QRect TKestExEntries::entryRect(int index) const
{
    return layoutFor(width()).value(index);
}

int TKestExEntries::heightForWidth(int width) const
{
    int height = 0;
    layoutFor(width, &height);
    return height;
}

QSize TKestExEntries::sizeHint() const
{
    const int hintWidth = width() > 0 ? width() : defaultWidth;
    return {defaultWidth, heightForWidth(hintWidth)};
}

QSize TKestExEntries::minimumSizeHint() const
{
    return {ballSize + 2 * padX, 0};
}

int TKestExEntries::taskAt(const QPoint& pos) const
{
    const QList<QRect> rects = layoutFor(width());
    for (int i = 0; i < rects.size(); ++i)
        if (m_entries.at(i).kind == TKestExEntry::Task && rects.at(i).contains(pos))
            return i;
    return -1;
}

int TKestExEntries::entryAt(const QPoint& pos) const
{
    const QList<QRect> rects = layoutFor(width());
    for (int i = 0; i < rects.size(); ++i)
        if (rects.at(i).contains(pos))
            return i;
    return -1;
}

void TKestExEntries::setHovered(int index)
{
    if (index == m_hovered)
        return;
    m_hovered = index;
    if (index >= 0)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    update();
}

bool TKestExEntries::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int index = entryAt(help->pos());
    if (index >= 0 && !m_entries.at(index).hint.isEmpty()) {
        QToolTip::showText(help->globalPos(), m_entries.at(index).hint, this, entryRect(index));
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

void TKestExEntries::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(bodyEdge);
    painter.setBrush(bodyFill);
    painter.drawPath(roundedPart(QRectF(rect()).adjusted(0.5, -0.5, -0.5, -0.5), false, true));

    const QList<QRect> rects = layoutFor(width());
    for (int i = 0; i < rects.size(); ++i) {
        const TKestExEntry& entry = m_entries.at(i);
        const QRect& area = rects.at(i);
        switch (entry.kind) {
        case TKestExEntry::Number:
            painter.drawPixmap(area.topLeft(), ballPicture(entry.caption, ballSize));
            break;
        case TKestExEntry::Heading:
            painter.setFont(headingFont(font()));
            painter.setPen(palette().color(QPalette::ButtonText));
            painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             entry.caption);
            break;
        case TKestExEntry::Task: {
            const bool hovered = i == m_hovered;
            QFont link = font();
            link.setUnderline(hovered);
            if (hovered) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(hoverFill);
                painter.drawRoundedRect(area, 3, 3);
            }
            QRect text = area.adjusted(3, 2, -3, -2);
            const QIcon icon = iconFor(entry);
            if (!icon.isNull()) {
                icon.paint(&painter, QRect(text.topLeft(), QSize(iconSize, iconSize)));
                text.setLeft(text.left() + iconSize + iconGap);
            }
            painter.setFont(link);
            painter.setPen(hovered ? linkHover : linkColour);
            painter.drawText(text, Qt::TextWordWrap, entry.caption);
            break;
        }
        }
    }
}

void TKestExEntries::mouseMoveEvent(QMouseEvent* event)
{
    setHovered(taskAt(event->position().toPoint()));
}

void TKestExEntries::leaveEvent(QEvent*)
{
    setHovered(-1);
}

void TKestExEntries::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton ? taskAt(event->position().toPoint()) : -1;
}

void TKestExEntries::mouseReleaseEvent(QMouseEvent* event)
{
    const int index = taskAt(event->position().toPoint());
    const bool clicked = event->button() == Qt::LeftButton && index >= 0 && index == m_pressed;
    m_pressed = -1;
    // The receiver may rebuild this group, so nothing of it is used after the signal.
    if (clicked)
        emit taskClicked(m_entries.at(index).id);
}

// -- TKestExGroup ----------------------------------------------------------------------------

TKestExGroup::TKestExGroup(const QString& caption, QWidget* parent)
    : QWidget(parent)
    , m_caption(caption)
{
    m_entries = new TKestExEntries(this);
    m_header = new GroupHeader(this);
    m_slide = new QPropertyAnimation(m_entries, "maximumHeight", this);
    m_slide->setEasingCurve(QEasingCurve::InOutCubic);
    connect(m_slide, &QPropertyAnimation::finished, this, [this] {
        m_entries->setVisible(!m_collapsed);
        m_entries->setMaximumHeight(QWIDGETSIZE_MAX);
        m_header->update();
    });
    connect(m_header, &QAbstractButton::clicked, this,
            [this] { setCollapsed(!m_collapsed, true); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_entries);
}

void TKestExGroup::setHeaderPicture(const QPixmap& picture)
{
    m_picture = picture;
    m_header->update();
}

void TKestExGroup::setCollapsed(bool collapsed, bool animated)
{
    m_collapsed = collapsed;
    m_slide->stop();
    if (!animated || m_animationMs <= 0) {
        m_entries->setVisible(!collapsed);
        m_entries->setMaximumHeight(QWIDGETSIZE_MAX);
        m_header->update();
        return;
    }
    // Slide from wherever the entries are now, even half way through the other direction.
    const int current = m_entries->isHidden() ? 0 : m_entries->height();
    m_entries->setMaximumHeight(current);
    m_entries->show();
    m_header->update();
    m_slide->setDuration(m_animationMs);
    m_slide->setStartValue(current);
    m_slide->setEndValue(collapsed ? 0 : m_entries->heightForWidth(width()));
    m_slide->start();
}

// -- TKestExBar ------------------------------------------------------------------------------

TKestExBar::TKestExBar(QWidget* parent)
    : QScrollArea(parent)
{
    setObjectName("ExBar");
    setFixedWidth(barWidth);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);

    QLinearGradient background(0, 0, 0, 1);
    background.setCoordinateMode(QGradient::ObjectMode);
    background.setColorAt(0, barTop);
    background.setColorAt(1, barBottom);
    QPalette shade = palette();
    shade.setBrush(QPalette::Window, background);

    auto* column = new QWidget;
    column->setObjectName("exBarColumn");
    column->setPalette(shade);
    column->setAutoFillBackground(true);
    m_column = new QVBoxLayout(column);
    m_column->setContentsMargins(barMargin, barMargin, barMargin, barMargin);
    m_column->setSpacing(groupSpacing);
    m_column->addStretch(1);
    setWidget(column);
}

int TKestExBar::addGroup(const QString& caption)
{
    auto* group = new TKestExGroup(caption, widget());
    group->setObjectName(groupObjectName(caption));
    group->setAnimationDuration(m_animationMs);
    group->entries()->setIcons(m_itemIcons);
    connect(group->entries(), &TKestExEntries::taskClicked, this,
            [this](int id) { emit OnMenuItemClick(this, id); });
    m_column->insertWidget(m_column->count() - 1, group);
    m_groups << group;
    return int(m_groups.size()) - 1;
}

void TKestExBar::setHeaderPicture(int group, const QPixmap& picture)
{
    m_groups.at(group)->setHeaderPicture(picture);
}

void TKestExBar::addTaskItem(int group, const QString& caption, const QString& hint, int id,
                             int imageIndex)
{
    m_groups.at(group)->entries()->add({.kind = TKestExEntry::Task,
                                        .caption = caption,
                                        .hint = hint,
                                        .imageIndex = imageIndex,
                                        .id = id});
}

void TKestExBar::addNumber(int group, const QString& text, bool endsLine, const QString& hint)
{
    TKestExEntry entry;
    entry.kind = TKestExEntry::Number;
    entry.caption = text;
    entry.hint = hint;
    entry.endsLine = endsLine;
    m_groups.at(group)->entries()->add(entry);
}

void TKestExBar::addHeading(int group, const QString& text)
{
    TKestExEntry entry;
    entry.kind = TKestExEntry::Heading;
    entry.caption = text;
    m_groups.at(group)->entries()->add(entry);
}

void TKestExBar::clearEntries(int group)
{
    m_groups.at(group)->entries()->clear();
}

void TKestExBar::setCollapsed(int group, bool collapsed, bool animated)
{
    m_groups.at(group)->setCollapsed(collapsed, animated);
}

bool TKestExBar::isCollapsed(int group) const
{
    return m_groups.at(group)->isCollapsed();
}

void TKestExBar::setItemIcons(const QList<QIcon>& icons)
{
    m_itemIcons = icons;
    for (TKestExGroup* group : std::as_const(m_groups))
        group->entries()->setIcons(icons);
}

void TKestExBar::setAnimationDuration(int ms)
{
    m_animationMs = ms;
    for (TKestExGroup* group : std::as_const(m_groups))
        group->setAnimationDuration(ms);
}

QList<TKestExEntry> TKestExBar::entries(int group) const
{
    return m_groups.at(group)->entries()->entries();
}
