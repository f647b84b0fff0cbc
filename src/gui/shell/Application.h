#pragma once

#include <QStringList>
#include <memory>

class TKernel;
class TKestPopup;
class MainWindow;

// The running program: the main window, the kernel, then every secondary window, created once
// each in this order and kept until the end. Secondary windows are children of the main
// window, which finds them by class. Destruction runs the other way: windows first, then the
// kernel, which closes the tables.
class Application {
public:
    Application();
    ~Application();

    MainWindow& main() { return *m_main; }
    TKernel& kernel() { return *m_kernel; }
    TKestPopup& popup() { return *m_popup; }
    // Object names of the windows in the order they were created.
    const QStringList& creationOrder() const { return m_order; }

private:
    std::unique_ptr<TKernel> m_kernel;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<TKestPopup> m_popup;
    QStringList m_order;
};
