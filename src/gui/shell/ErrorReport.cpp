#include "gui/shell/ErrorReport.h"

#include "core/kernel/KestError.h"
#include "gui/components/KestMessage.h"

#include <QApplication>
#include <QScopeGuard>

#include <exception>

void ErrorReport::show(const QString& message)
{
    // A timer that keeps failing would otherwise stack a new box on every tick while the first
    // one waits for the user.
    static bool showing = false;
    if (showing)
        return;
    showing = true;
    const auto done = qScopeGuard([] { showing = false; });
    TKestMessage::critical(QApplication::activeWindow(), Caption, message);
}

void ErrorReport::guard(const std::function<void()>& step)
{
    try {
        step();
    } catch (const TKestError& error) {
        show(error.message());
    } catch (const std::exception& error) {
        show(QString::fromLocal8Bit(error.what()));
    }
}
