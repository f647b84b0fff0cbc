#pragma once

#include "TestEnvironment.h"

#include <QObject>
#include <QString>
#include <memory>

class Application;
class MainWindow;
class TKernel;

// The base of the window tests: a private home with the sample database, the program started
// over it, and the controls and commands reached by their designer names. The English locale
// is set once, as the expected texts are written in it. Derived tests call the set-up from
// their own init() and cleanup() slots; this class has no slots so that it adds no test cases.
class GuiTest : public QObject {
    Q_OBJECT

public:
    GuiTest();
    ~GuiTest() override;

    // The control of that class and designer name under `root`, or under any top-level window
    // when there is none. A missing control ends the run: nothing sensible can follow.
    template <class T = QWidget>
    static T* control(const QString& objectName, const QObject* root = nullptr)
    {
        auto* found = qobject_cast<T*>(find(objectName, T::staticMetaObject, root));
        if (!found)
            missing(objectName);
        return found;
    }

    // Triggers the command (QAction) of that designer name, as a menu or tool button would.
    static void trigger(const QString& objectName, const QObject* root = nullptr);

protected:
    // A fresh private home with the sample database installed in it.
    void installSample();
    // installSample(), then the program over that home.
    void startApplication();
    // Ends the program first, then its home.
    void stop();

    TestEnvironment& env() { return *m_env; }
    Application& app() { return *m_app; }
    MainWindow& mainWindow();
    TKernel& kernel();

private:
    static QObject* find(const QString& objectName, const QMetaObject& type, const QObject* root);
    [[noreturn]] static void missing(const QString& objectName);

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Application> m_app;
};
