#include "ui/configuration_commands.h"

#include "forms/configuration_transfer.h"
#include "ui/frmTevoHadraConfig.h"

bool connectionOpen(frmTevoHadraConfig &w)
{
    if (w.telnetConnected() || w.serialOpen())
        return true;
    w.messageBoxes().inform(&w, QStringLiteral("Please open a connection to the device first"), QString(),
                            platform::MsgIcon::Exclamation);
    return false;
}

void retrieveConfiguration(frmTevoHadraConfig &w, forms::ConfigurationTransfer &transfer, bool fromToolbar)
{
    if (!connectionOpen(w))
        return;
    if (fromToolbar)
        w.bInitialConnect = false;
    transfer.StartRetrieval();
}

void startUpdate(frmTevoHadraConfig &w, forms::ConfigurationTransfer &transfer, bool fromToolbar,
                 forms::UpdateReview review)
{
    if (!connectionOpen(w))
        return;
    if (fromToolbar && w.bInitialConnect) {
        w.messageBoxes().inform(&w,
                                QStringLiteral("You must first retrieve the current configuration before you "
                                               "can modify it."),
                                QStringLiteral("Tip"), platform::MsgIcon::Exclamation);
        return;
    }
    // The update itself says when there is nothing to write, or nothing retrieved yet to
    // compare the window with.
    transfer.UpdateConfiguration(review);
}
