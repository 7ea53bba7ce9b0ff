#pragma once
// Handler boundaries: every event handler and timer tick of the window runs through
// guarded(), so that no exception reaches the event loop. What a handler's own rules
// report is caught inside it; whatever is left is shown with its description.
#include <QString>
#include <exception>
#include <functional>

class frmTevoHadraConfig;

namespace session {

// The operator-facing description of an error raised by a control or the program.
QString errorDescription(const std::exception &error);

// Shows the error's description with the exclamation icon.
void reportError(frmTevoHadraConfig &w, const std::exception &error);

// Runs a handler; a CommError or busy refusal is reported as a command failure, any other
// error with its description.
void guarded(frmTevoHadraConfig &w, const std::function<void()> &handler);

} // namespace session
