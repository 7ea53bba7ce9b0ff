#pragma once
// Model adaptation: the model and version text of the unit (txtQDVVersion) decides the
// captions of the radio-type options and station frames, which forwarding modes and radio
// types may be chosen, which DHCP and routing controls an old software version lacks, and
// the window caption. Runs on every change of the text.
class frmTevoHadraConfig;

void adaptToModel(frmTevoHadraConfig &w);
