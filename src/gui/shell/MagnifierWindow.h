#pragma once

#include "gui/components/KestDialog.h"

class QComboBox;
class QLabel;
class QStackedLayout;
class QTimer;

// The magnifier: an enlarged live copy of the main window under the pointer, at five zoom
// levels, with a cross-hair over its middle. It runs only while it is shown.
class MagnifierWindow : public TKestDialog {
    Q_OBJECT

public:
    // The blank shown when nothing can be copied, and why.
    static constexpr auto NoSignal = "No signal";

    explicit MagnifierWindow(QWidget* parent = nullptr);

    // The area copied at a zoom entry (0 to 4) for a picture of that size; an invalid size
    // for no entry.
    static QSize copiedArea(const QSize& picture, int zoom);
    // One tick: copies the area around a pointer at `pointer` (screen coordinates).
    void magnify(const QPoint& pointer);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void tick();
    void showNoSignal(const QString& why);

    QComboBox* m_zoom = nullptr;      // ComboBox1
    QStackedLayout* m_area = nullptr; // Panel2: the picture or "No signal"
    QLabel* m_noSignal = nullptr;     // Panel2's caption
    QLabel* m_picture = nullptr;      // Image1
    QLabel* m_status = nullptr;       // Panel3
    QTimer* m_timer = nullptr;        // Timer1
};
