#include "ui/local_ids.h"

#include <algorithm>

bool idInRange(const QString &text)
{
    bool numeric = false;
    const int id = text.trimmed().toInt(&numeric, 10);
    return numeric && id >= kLowestId && id <= kHighestId;
}

int steppedId(const QString &text, int step)
{
    bool numeric = false;
    const int id = text.trimmed().toInt(&numeric, 10);
    return numeric ? std::clamp(id + step, kLowestId, kHighestId) : kLowestId;
}

int freeId(int id, int direction, const std::function<bool(int)> &inUse)
{
    int candidate = id;
    // Going one way to an end and all the way back visits every ID.
    for (int steps = 0; steps <= 2 * kHighestId && inUse(candidate); ++steps) {
        if (candidate <= kLowestId)
            direction = 1;
        else if (candidate >= kHighestId)
            direction = -1;
        candidate += direction;
    }
    return inUse(candidate) ? id : candidate;
}
