#pragma once
// Failed comparisons of review rows show their text.
#include "forms/update_review.h"

#include <ostream>

namespace forms {
inline void PrintTo(const ReviewRow &row, std::ostream *out)
{
    *out << '{' << row.tab.toStdString() << " | " << row.setting.toStdString() << " | "
         << row.retrieved.toStdString() << " | " << row.toWrite.toStdString() << '}';
}
} // namespace forms
