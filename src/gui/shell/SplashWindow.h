#pragma once

#include <QSplashScreen>

// The splash window: the logo, the name and the version, shown and painted before anything
// else is created and gone before the event loop starts.
class SplashWindow : public QSplashScreen {
    Q_OBJECT

public:
    SplashWindow();

    // Shows the window and paints it at once, before the event loop could.
    void showNow();

    static QPixmap picture();
};
