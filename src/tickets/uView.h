#pragma once

#include "components/KestDialog.h"

class TStatisticsList;

// The ticket viewer, whose list is the current ticket.
class TfrmView : public TKestDialog {
    Q_OBJECT

public:
    explicit TfrmView(QWidget* parent = nullptr);

    // Reads a ticket file into the list. A file the reader refuses is reported in an
    // "I/O Error" box and leaves the list as it was.
    bool LoadTicket(const QString& fileName);

    TStatisticsList* lvResult = nullptr;
};
