#pragma once

#include <QString>

#include <functional>

// The program's default error report: an error that nothing closer to it could handle is shown
// in a critical box captioned "Drawsage", and the program goes on.
namespace ErrorReport {

inline constexpr auto Caption = "Drawsage";

void show(const QString& message);

// Runs one command, timer tick or start-up step; an error it raises is shown and goes no
// further, so that it ends only that step.
void guard(const std::function<void()>& step);

} // namespace ErrorReport
