#pragma once

#include <stdexcept>

namespace linkset {

// A command that cannot be built as asked: an unknown parameter code, a read of a write-only
// parameter (or the reverse), a value that is not a number where the command word depends on
// one, or a value that would break the command line. The message says which, for the operator.
class CommandError : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

} // namespace linkset
