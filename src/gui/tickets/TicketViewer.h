#pragma once

#include "gui/components/KestDialog.h"

class StatisticsListView;

// The ticket viewer, whose list is the current ticket.
class TicketViewer : public TKestDialog {
    Q_OBJECT

public:
    explicit TicketViewer(QWidget* parent = nullptr);

    // Reads a ticket file into the list. A file the reader refuses is reported in an
    // "I/O Error" box and leaves the list as it was.
    bool LoadTicket(const QString& fileName);

    StatisticsListView* lvResult = nullptr;
};
