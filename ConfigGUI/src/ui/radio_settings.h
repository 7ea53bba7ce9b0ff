#pragma once
// The radio channel parameters: the regulatory domain decides the channels offered, and the
// channel shown decides the frequency label.
class frmTevoHadraConfig;

void connectRadioSettings(frmTevoHadraConfig &w);

// Refills the channel list for the selected domain, with no channel selected.
void offerDomainChannels(frmTevoHadraConfig &w);
// Shows the frequency of the channel text; a text that is no channel leaves the label.
void showChannelFrequency(frmTevoHadraConfig &w);
