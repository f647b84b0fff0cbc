#pragma once

#include <QString>
#include <QStringList>

class TestEnvironment;

// What drawsage-cli printed and how it ended.
struct CliResult {
    int status = -1;
    QStringList lines; // standard output, one line each
    QString errors;    // standard error
};

// Runs drawsage-cli with the settings file of the test's private home and an English locale.
CliResult runCli(const TestEnvironment& env, const QStringList& arguments);
