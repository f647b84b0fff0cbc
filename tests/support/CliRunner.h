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
// program: another copy of drawsage-cli, such as one laid out as installed.
CliResult runCli(const TestEnvironment& env, const QStringList& arguments,
                 const QString& program = DRAWSAGE_CLI);
