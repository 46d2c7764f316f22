#pragma once

#include <functional>

class QWidget;

namespace arb {

class Failure;

// Runs one user action. A failure ends the action where it happened and is
// reported the same way everywhere: one modal box with the stop icon. The
// pointer is put back to normal first. Returns true when the action ran
// through without failing.
bool guard(QWidget *window, const std::function<void()> &action);

// The one failure report, for places that catch a failure themselves.
void reportFailure(QWidget *window, const Failure &failure);

// Title of the failure report.
inline constexpr const char *kFailureTitle = "Ralat";

} // namespace arb
