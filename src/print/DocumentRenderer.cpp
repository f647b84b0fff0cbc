#include "print/DocumentRenderer.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <numeric>

namespace {

constexpr int PdfResolution = 300;
// The page is laid out in units of 1/300 inch whatever the device, and the painter scales them
// to its resolution: a printer and a PDF file get the same line and page breaks.
constexpr qreal LayoutDpi = 300;
constexpr qreal PointsPerInch = 72;
constexpr qreal MillimetresPerInch = 25.4;
constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
const QColor HeadFill(228, 232, 240);
const QColor RuleColour(160, 160, 160);

// A line of the page body: a summary line, a table row, a note or the gap before a part.
struct Block {
    enum Kind { Summary, Row, Note, Gap };
    Kind kind = Row;
    int index = 0;
    qreal height = 0;
};

struct Placed {
    Block block;
    qreal y = 0; // from the top of the body
};

struct Page {
    std::vector<Placed> blocks;
    qreal headY = -1; // where the column heads are drawn; -1 for none
};

// Sizes in layout units (LayoutDpi).
class Layout {
public:
    Layout(const PrintDocument& document, const QPaintDevice& device);

    std::vector<Page> paginate() const;
    void paintPage(QPainter& painter, const Page& page, int number, int pages) const;

private:
    static qreal mm(qreal millimetres) { return millimetres * LayoutDpi / MillimetresPerInch; }
    qreal textHeight(const QFont& font, const QString& text, qreal width) const;
    qreal rowHeight(const QStringList& cells, const QFont& font) const;
    qreal columnLeft(int column) const;
    void fitColumns();
    void paintHeader(QPainter& painter) const;
    void paintHeads(QPainter& painter, qreal y) const;
    void paintCells(QPainter& painter, const QStringList& cells, qreal y, qreal height) const;
    void paintBlock(QPainter& painter, const Placed& placed) const;

    const PrintDocument& m_document;
    qreal m_width;
    qreal m_height;
    QFont m_body;
    QFont m_bold;
    QFont m_title;
    QFont m_small;
    qreal m_padding;
    qreal m_headerHeight;
    qreal m_footerHeight;
    qreal m_headHeight;
    qreal m_itemWidth = 0; // the Item column of the summary
    std::vector<qreal> m_columns;
};

// Sized in layout units and unhinted, so that its measures do not depend on the device.
QFont pageFont(qreal points, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(qRound(points * LayoutDpi / PointsPerInch));
    font.setBold(bold);
    return font;
}

qreal deviceScale(const QPaintDevice& device)
{
    return device.logicalDpiY() / LayoutDpi;
}

Layout::Layout(const PrintDocument& document, const QPaintDevice& device)
    : m_document(document)
    , m_width(device.width() / deviceScale(device))
    , m_height(device.height() / deviceScale(device))
    , m_body(pageFont(10))
    , m_bold(pageFont(10, true))
    , m_title(pageFont(16, true))
    , m_small(pageFont(8))
    , m_padding(mm(1))
{
    const QFontMetricsF title(m_title);
    const QFontMetricsF body(m_body);
    m_headerHeight = title.height() + body.height() + mm(6);
    m_footerHeight = QFontMetricsF(m_small).height() + mm(4);
    m_headHeight = QFontMetricsF(m_bold).height() + 2 * m_padding;
    const QFontMetricsF bold(m_bold);
    for (const QStringList& line : m_document.summary)
        m_itemWidth = std::max(m_itemWidth, bold.horizontalAdvance(line.value(0)) + mm(4));
    m_itemWidth = std::min(m_itemWidth, m_width * 0.4);
    fitColumns();
}

// Each column as wide as its widest text; on a page too narrow for them the widest columns
// give way and their cells wrap. The last column takes what is left.
void Layout::fitColumns()
{
    // A list without heads is as wide as its longest row.
    int count = int(m_document.columns.size());
    for (const QStringList& row : m_document.rows)
        count = std::max(count, int(row.size()));
    if (count == 0)
        return;
    const QFontMetricsF body(m_body);
    const QFontMetricsF bold(m_bold);
    m_columns.assign(count, 0);
    for (int c = 0; c < m_document.columns.size(); ++c)
        m_columns[c] = bold.horizontalAdvance(m_document.columns[c]);
    for (const QStringList& row : m_document.rows)
        for (int c = 0; c < count && c < row.size(); ++c)
            m_columns[c] = std::max(m_columns[c], body.horizontalAdvance(row[c]));
    for (qreal& width : m_columns)
        width += 2 * m_padding + mm(3);
    const qreal total = std::accumulate(m_columns.begin(), m_columns.end(), qreal(0));
    if (total > m_width) {
        // The narrow columns keep their width; the wide ones share the rest equally.
        std::vector<qreal> ascending = m_columns;
        std::sort(ascending.begin(), ascending.end());
        qreal remaining = m_width;
        qreal widest = 0;
        for (int left = count; const qreal width : ascending) {
            if (width * left > remaining) {
                widest = remaining / left;
                break;
            }
            remaining -= width;
            --left;
        }
        for (qreal& width : m_columns)
            width = std::min(width, widest);
    }
    m_columns.back() = m_width - std::accumulate(m_columns.begin(), m_columns.end() - 1, qreal(0));
}

qreal Layout::columnLeft(int column) const
{
    return std::accumulate(m_columns.begin(), m_columns.begin() + column, qreal(0));
}

qreal Layout::textHeight(const QFont& font, const QString& text, qreal width) const
{
    const QFontMetricsF metrics(font);
    const qreal height =
        text.isEmpty()
            ? 0
            : metrics.boundingRect(QRectF(0, 0, std::max(width, qreal(1)), 1e9), TextFlags, text)
                  .height();
    return std::max(height, metrics.height());
}

qreal Layout::rowHeight(const QStringList& cells, const QFont& font) const
{
    qreal height = 0;
    for (int c = 0; c < int(m_columns.size()); ++c)
        height = std::max(height, textHeight(font, cells.value(c), m_columns[c] - 2 * m_padding));
    return height + 2 * m_padding;
}

std::vector<Page> Layout::paginate() const
{
    std::vector<Block> blocks;
    const PrintDocument& d = m_document;
    for (int i = 0; i < int(d.summary.size()); ++i) {
        const QStringList& line = d.summary[i];
        const qreal height = std::max(textHeight(m_bold, line.value(0), m_itemWidth),
                                      textHeight(m_body, line.value(1), m_width - m_itemWidth));
        blocks.push_back({Block::Summary, i, height + m_padding});
    }
    if (!blocks.empty())
        blocks.push_back({Block::Gap, 0, mm(5)});
    for (int i = 0; i < int(d.rows.size()); ++i)
        blocks.push_back({Block::Row, i, rowHeight(d.rows[i], m_body)});
    if (!d.notes.isEmpty())
        blocks.push_back({Block::Gap, 0, mm(4)});
    for (int i = 0; i < d.notes.size(); ++i)
        blocks.push_back({Block::Note, i, textHeight(m_body, d.notes[i], m_width) + m_padding});

    const qreal body = m_height - m_headerHeight - m_footerHeight;
    const bool heads = !d.columns.isEmpty();
    std::vector<Page> pages(1);
    qreal y = 0;
    for (const Block& block : blocks) {
        // A row needs the column heads above it on its page.
        const auto needed = [&] {
            return block.height +
                   (heads && block.kind == Block::Row && pages.back().headY < 0 ? m_headHeight : 0);
        };
        if (y + needed() > body && !pages.back().blocks.empty()) {
            pages.emplace_back();
            y = 0;
            if (block.kind == Block::Gap)
                continue; // a gap at the top of a page is only empty paper
        }
        if (heads && block.kind == Block::Row && pages.back().headY < 0) {
            pages.back().headY = y;
            y += m_headHeight;
        }
        pages.back().blocks.push_back({block, y});
        y += block.height;
    }
    // A table without rows still shows its heads, under the summary.
    if (heads && d.rows.empty())
        pages.front().headY = y;
    return pages;
}

void Layout::paintHeader(QPainter& painter) const
{
    const QFontMetricsF title(m_title);
    const QFontMetricsF body(m_body);
    painter.setFont(m_body);
    painter.drawText(QRectF(0, title.ascent() - body.ascent(), m_width, body.height()),
                     Qt::AlignRight | Qt::AlignTop, m_document.date);
    const qreal dateWidth = body.horizontalAdvance(m_document.date) + mm(5);
    painter.setFont(m_title);
    painter.drawText(QRectF(0, 0, m_width - dateWidth, title.height()),
                     Qt::AlignLeft | Qt::AlignTop,
                     title.elidedText(m_document.title, Qt::ElideRight, m_width - dateWidth));
    painter.setFont(m_body);
    painter.drawText(QRectF(0, title.height() + mm(1), m_width, body.height()),
                     Qt::AlignLeft | Qt::AlignTop, m_document.game);
    const qreal ruleY = m_headerHeight - mm(2.5);
    painter.setPen(QPen(Qt::black, mm(0.3)));
    painter.drawLine(QPointF(0, ruleY), QPointF(m_width, ruleY));
}

void Layout::paintHeads(QPainter& painter, qreal y) const
{
    painter.fillRect(QRectF(0, y, m_width, m_headHeight), HeadFill);
    painter.setPen(Qt::black);
    painter.setFont(m_bold);
    for (int c = 0; c < int(m_columns.size()); ++c) {
        const QRectF cell(columnLeft(c) + m_padding, y + m_padding, m_columns[c] - 2 * m_padding,
                          m_headHeight - 2 * m_padding);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, m_document.columns.value(c));
    }
}

void Layout::paintCells(QPainter& painter, const QStringList& cells, qreal y, qreal height) const
{
    painter.setFont(m_body);
    painter.setPen(Qt::black);
    for (int c = 0; c < int(m_columns.size()); ++c) {
        const QRectF cell(columnLeft(c) + m_padding, y + m_padding, m_columns[c] - 2 * m_padding,
                          height - 2 * m_padding);
        painter.drawText(cell, TextFlags, cells.value(c));
    }
    painter.setPen(QPen(RuleColour, mm(0.1)));
    painter.drawLine(QPointF(0, y + height), QPointF(m_width, y + height));
}

void Layout::paintBlock(QPainter& painter, const Placed& placed) const
{
    const Block& block = placed.block;
    switch (block.kind) {
    case Block::Summary: {
        const QStringList& line = m_document.summary[block.index];
        painter.setPen(Qt::black);
        painter.setFont(m_bold);
        painter.drawText(QRectF(0, placed.y, m_itemWidth, block.height), TextFlags, line.value(0));
        painter.setFont(m_body);
        painter.drawText(QRectF(m_itemWidth, placed.y, m_width - m_itemWidth, block.height),
                         TextFlags, line.value(1));
        break;
    }
    case Block::Row:
        paintCells(painter, m_document.rows[block.index], placed.y, block.height);
        break;
    case Block::Note:
        painter.setPen(Qt::black);
        painter.setFont(m_body);
        painter.drawText(QRectF(0, placed.y, m_width, block.height), TextFlags,
                         m_document.notes[block.index]);
        break;
    case Block::Gap:
        break;
    }
}

void Layout::paintPage(QPainter& painter, const Page& page, int number, int pages) const
{
    paintHeader(painter);
    painter.save();
    painter.translate(0, m_headerHeight);
    if (page.headY >= 0)
        paintHeads(painter, page.headY);
    for (const Placed& placed : page.blocks)
        paintBlock(painter, placed);
    painter.restore();
    painter.setPen(Qt::black);
    painter.setFont(m_small);
    painter.drawText(QRectF(0, m_height - m_footerHeight, m_width, m_footerHeight),
                     Qt::AlignHCenter | Qt::AlignBottom,
                     QString("Page %1 of %2").arg(number).arg(pages));
}

} // namespace

int DocumentRenderer::render(const PrintDocument& document, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(deviceScale(device), deviceScale(device));
    const Layout layout(document, device);
    const std::vector<Page> pages = layout.paginate();
    for (int p = 0; p < int(pages.size()); ++p) {
        if (p > 0)
            device.newPage();
        layout.paintPage(painter, pages[p], p + 1, int(pages.size()));
    }
    painter.end();
    return int(pages.size());
}

bool DocumentRenderer::writePdf(const PrintDocument& document, const QString& fileName)
{
    QPdfWriter writer(fileName);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(
        QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres),
        QPageLayout::Millimeter);
    writer.setResolution(PdfResolution);
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Drawsage"));
    return render(document, writer) > 0;
}
