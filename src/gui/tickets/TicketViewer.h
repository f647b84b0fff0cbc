#pragma once

#include "core/kernel/PrintDocument.h"
#include "core/tickets/TicketFile.h"
#include "gui/components/KestDialog.h"

class PrintMenu;
class QLabel;
class StatisticsListView;

// The ticket viewer, whose list is the current ticket.
class TicketViewer : public TKestDialog {
    Q_OBJECT

public:
    explicit TicketViewer(QWidget* parent = nullptr);

    // Reads a ticket file into the list. A file the reader refuses is reported in an
    // "I/O Error" box and leaves the list as it was.
    bool LoadTicket(const QString& fileName);
    // The combination texts of the current ticket, in row order.
    QStringList combinations() const;
    void clearTicket();
    // Shown from the checker's link: its own Open stays off until the window closes.
    void showFromChecker(const QString& caption);
    // The current ticket as printed, as drawsage-cli prints it.
    PrintDocument document() const;

    StatisticsListView* lvResult = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showInformation();
    void openTicket();
    TicketRows rows() const;

    QList<QLabel*> m_values; // Label7 ... Label11
    QLabel* m_rating = nullptr;
    QPushButton* m_open = nullptr;
    PrintMenu* m_printMenu = nullptr;
    QString m_ticketName; // the file name of the current ticket, without its extension
};
