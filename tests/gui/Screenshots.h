#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QWidget>
#include <QtTest>

// Window pictures for a person to look at: build/tests/screenshots/<name>.png.
inline QString screenshotPath(const QString& name)
{
    QDir folder(QCoreApplication::applicationDirPath());
    folder.mkpath("screenshots");
    return folder.filePath("screenshots/" + name + ".png");
}

inline void saveScreenshot(QWidget* widget, const QString& name)
{
    QVERIFY2(widget->grab().save(screenshotPath(name)), qPrintable(name));
}
