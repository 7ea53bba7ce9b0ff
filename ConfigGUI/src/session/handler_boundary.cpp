#include "session/handler_boundary.h"

#include "session/mod_config_script.h"
#include "session/serial_error.h"
#include "ui/frmTevoHadraConfig.h"

#include <wiretalk/telnet_client.h>

namespace session {

QString errorDescription(const std::exception &error)
{
    if (const auto *serial = dynamic_cast<const SerialError *>(&error))
        return serial->description();
    if (const auto *control = dynamic_cast<const wiretalk::ControlError *>(&error))
        return control->description();
    return QString::fromLocal8Bit(error.what());
}

void reportError(frmTevoHadraConfig &w, const std::exception &error)
{
    w.messageBoxes().inform(&w, errorDescription(error), QString(), platform::MsgIcon::Exclamation);
}

void guarded(frmTevoHadraConfig &w, const std::function<void()> &handler)
{
    try {
        modConfigScript::RunReportingCommFailure(w, handler);
    } catch (const std::exception &error) {
        reportError(w, error);
    } catch (...) {
        w.messageBoxes().inform(&w, QStringLiteral("An unexpected error occurred."), QString(),
                                platform::MsgIcon::Critical);
    }
}

} // namespace session
