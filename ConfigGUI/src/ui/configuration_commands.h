#pragma once
// The Device menu's and the toolbar's configuration commands, with the preconditions and
// messages each checks before the retrieval or the update starts.
#include "forms/update_review_dialog.h"

class frmTevoHadraConfig;
namespace forms {
class ConfigurationTransfer;
}

// True while a transport is open; otherwise the operator is asked to open a connection first.
bool connectionOpen(frmTevoHadraConfig &w);

// Retrieve/Refresh: needs an open connection. From the toolbar it also ends the state after
// a toolbar connect in which an update is refused.
void retrieveConfiguration(frmTevoHadraConfig &w, forms::ConfigurationTransfer &transfer, bool fromToolbar);

// Update: needs an open connection and, from the toolbar, a retrieval since the toolbar's
// connect. Then the update runs: it tells the operator when there is nothing to write or
// nothing retrieved to compare with.
void startUpdate(frmTevoHadraConfig &w, forms::ConfigurationTransfer &transfer, bool fromToolbar,
                 forms::UpdateReview review = forms::UpdateReview::AsSettingSays);
