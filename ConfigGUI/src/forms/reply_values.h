#pragma once
// How the reply grammar reads values, and how it skips a statement that fails.
#include "session/comm_error.h"

#include <QString>
#include <optional>

namespace forms {

// The value as a whole number (blanks around it allowed); nothing when it is none.
std::optional<int> wholeNumber(const QString &value);
// The value as a finite decimal number ("12.5"); nothing when it is none.
std::optional<double> decimalNumber(const QString &value);

// Runs one statement of the grammar. A failure skips the statement and nothing is reported;
// a communication failure (or a refused command) is not the statement's and goes on.
template <typename Statement> void skipFailure(Statement statement)
{
    try {
        statement();
    } catch (const session::CommError &) {
        throw;
    } catch (const session::ExchangeBusy &) {
        throw;
    } catch (const std::exception &) {
        // skipped, as the grammar's rules say: the next statement runs
    }
}

} // namespace forms
