#pragma once
// Radio unit IDs: whole numbers from 1 to 16384. The local ID steps past the IDs that
// remote units already use.
#include <QString>
#include <functional>

inline constexpr int kLowestId = 1;
inline constexpr int kHighestId = 16384;

// A whole number within the range.
bool idInRange(const QString &text);

// One step of an up-down control: the ID in `text` moved by `step`, kept within the range;
// text that is no number counts as the lowest ID.
int steppedId(const QString &text, int step);

// From `id`, steps in `direction` (+1 or -1) while `inUse` says the ID is taken, turning
// round at either end of the range; the first free ID, or `id` when every ID is taken.
int freeId(int id, int direction, const std::function<bool(int)> &inUse);
