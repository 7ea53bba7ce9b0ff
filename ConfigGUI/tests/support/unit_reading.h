#pragma once
// Reads a connected unit's whole configuration into the window with the parameter
// operations: every parameter that can be read, in code order (so the forwarding mode and
// radio type are known before the station lists arrive), "Capability", and every list table;
// then, as a retrieval ends, SetupDiagnostics.
class frmTevoHadraConfig;

void readWholeConfiguration(frmTevoHadraConfig &w);
