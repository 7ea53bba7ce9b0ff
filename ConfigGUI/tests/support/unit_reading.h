#pragma once
// Reads a connected unit's whole configuration into the window with the parameter
// operations: every parameter that can be read, in code order (so the forwarding mode and
// radio type are known before the station lists arrive), "Capability", and every list table;
// then, as a retrieval ends, SetupDiagnostics.
class frmTevoHadraConfig;

void readWholeConfiguration(frmTevoHadraConfig &w);

// The list tables the retrieval asks for, in order.
inline constexpr int kListTables[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
