#pragma once
// The commands that run without a window: retrieve, apply and diff. Each prints its result
// (text, or JSON with --json) and returns the program's exit status. A QApplication must
// exist; the window it makes is never shown.
#include "cli/command_line.h"

namespace cli {

// Before the QApplication of a command: the offscreen platform (no display is needed and no
// window appears), and Qt's debug messages and warnings kept out of the command's output
// (they speak of windows nobody sees).
void prepareHeadlessApplication();

int runCommand(const Invocation &invocation);

} // namespace cli
