#pragma once
// Restoring the values an update replaced: the writes that bring back, from the backup taken
// before the update, every setting of that update the unit now reports differently.
#include "forms/config_record.h"
#include "forms/update_list.h"

namespace forms {

// The writes from `now` (what the unit reports after the update) back to `backup`, limited
// to the settings and list items `update` wrote. A write the unit refused left the backed-up
// value in place and gives nothing. The password cannot be read back and is never restored.
UpdateList previousValues(const UpdateList &update, const ConfigRecord &now, const ConfigRecord &backup);

} // namespace forms
