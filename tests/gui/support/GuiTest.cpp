#include "GuiTest.h"

#include "gui/shell/Application.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QWidget>

GuiTest::GuiTest()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

GuiTest::~GuiTest()
{
    stop();
}

void GuiTest::trigger(const QString& objectName, const QObject* root)
{
    control<QAction>(objectName, root)->trigger();
}

void GuiTest::installSample()
{
    stop();
    m_env = std::make_unique<TestEnvironment>();
    TestData::installSample();
}

void GuiTest::startApplication()
{
    installSample();
    m_app = std::make_unique<Application>();
}

void GuiTest::stop()
{
    m_app.reset();
    m_env.reset();
}

MainWindow& GuiTest::mainWindow()
{
    return m_app->main();
}

TKernel& GuiTest::kernel()
{
    return m_app->kernel();
}

QObject* GuiTest::find(const QString& objectName, const QMetaObject& type, const QObject* root)
{
    const auto matches = [&](QObject* object) {
        return object->objectName() == objectName && type.cast(object);
    };
    const auto under = [&](const QObject* parent) -> QObject* {
        for (QObject* child : parent->findChildren<QObject*>(objectName))
            if (matches(child))
                return child;
        return nullptr;
    };
    if (root)
        return under(root);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (matches(window))
            return window;
        if (QObject* found = under(window))
            return found;
    }
    return nullptr;
}

void GuiTest::missing(const QString& objectName)
{
    qFatal("no control %s", qPrintable(objectName));
}
