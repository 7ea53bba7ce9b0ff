#pragma once
// The configuration retrieval as a fixed sequence of steps, one per tick of tmrSlowImport:
// the read commands each step sends, in order.
#include "config/device_command.h"

#include <QList>

namespace forms {

// Steps are numbered from 1; the last one sends nothing and ends the retrieval.
constexpr int kRetrievalSteps = 48;
// The step that switches the optional features off before it asks for the unit's list.
constexpr int kCapabilityStep = 44;

// The commands of one step (none for steps 18, 19 and 48 and for numbers out of range).
QList<linkset::DeviceCommand> retrievalStepCommands(int step);

} // namespace forms
