#include "unit_reading.h"

#include "config/device_requests.h"
#include "forms/parameter_operations.h"
#include "config/parameter_table.h"
#include "ui/frmTevoHadraConfig.h"

void readWholeConfiguration(frmTevoHadraConfig &w)
{
    for (const linkset::ParameterRow &row : linkset::parameterTable()) {
        if (!row.readText.empty())
            forms::ParameterCommand(w, QString::fromLatin1(row.code.data(), qsizetype(row.code.size())),
                                     false);
    }
    forms::SendCommand(w, linkset::capabilityRequest());
    for (int table = 1; table <= 12; ++table)
        forms::SendCommand(w, linkset::tableRequest(table));
    // As a retrieval ends: the packet-loss displays get a column per station.
    w.SetupDiagnostics();
}
