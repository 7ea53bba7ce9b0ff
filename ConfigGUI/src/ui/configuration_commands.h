#pragma once
// The Device menu's and the toolbar's configuration commands, with the preconditions and
// messages each checks before the retrieval or the update starts.
class frmTevoHadraConfig;
namespace forms {
class ConfigurationTransfer;
}

// Retrieve/Refresh: needs an open connection. From the toolbar it also ends the state after
// a toolbar connect in which an update is refused.
void retrieveConfiguration(frmTevoHadraConfig &w, forms::ConfigurationTransfer &transfer, bool fromToolbar);

// Update: needs an open connection and, from the toolbar, a retrieval since the toolbar's
// connect. Then the update runs: it tells the operator when there is nothing to write or
// nothing retrieved to compare with.
void startUpdate(frmTevoHadraConfig &w, forms::ConfigurationTransfer &transfer, bool fromToolbar);
