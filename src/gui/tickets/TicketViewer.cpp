#include "gui/tickets/TicketViewer.h"

#include "core/tickets/TicketFile.h"
#include "gui/components/CombinationDelegate.h"
#include "gui/components/KestMessage.h"
#include "gui/components/StatisticsListView.h"

#include <QPushButton>
#include <QVBoxLayout>

TicketViewer::TicketViewer(QWidget* parent)
    : TKestDialog({.objectName = "TfrmView",
                   .caption = "Drawsage",
                   .title = "View ticket information",
                   .description = "Use this feature to view your saved Lotto ticket"},
                  parent)
{
    lvResult = new StatisticsListView("lvResult", {"Sequence", "Combinations", "Sum", "Rating"},
                                      StatisticsListView::SortByHeaderClick, this);
    lvResult->setItemDelegate(new CombinationDelegate(lvResult));
    lvResult->setMinimumSize(520, 260);
    contentLayout()->addWidget(lvResult);
    connect(addButton("btnClose", "&Close"), &QPushButton::clicked, this, &QWidget::close);
}

bool TicketViewer::LoadTicket(const QString& fileName)
{
    TicketRows rows;
    try {
        ::LoadTicket(rows, fileName);
    } catch (const TicketFileError& error) {
        TKestMessage::critical(this, TicketErrorCaption, error.message());
        return false;
    }
    std::vector<QStringList> texts;
    texts.reserve(rows.size());
    for (const TicketRow& row : rows)
        texts.push_back(QStringList{row.caption} + row.subItems);
    lvResult->setRows(std::move(texts));
    return true;
}
