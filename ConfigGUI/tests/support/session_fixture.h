#pragma once
// A main window with scripted message boxes, connected to a simulated unit embedded in
// the test (telnet on a free loopback port, serial on a pseudo-terminal as Com1).
#include "modal_driver.h"
#include "scripted_message_boxes.h"
#include "ui/frmTevoHadraConfig.h"

#include <gtest/gtest.h>
#include <memory>
#include <unitsim/simulated_unit.h>

enum class Transport
{
    Telnet,
    Serial
};

// A unit's options with the faults that `set` switches on.
template <typename Set> unitsim::UnitOptions withFaults(Set set)
{
    unitsim::UnitOptions options;
    set(options.faults);
    return options;
}

class SessionFixture : public ::testing::Test
{
protected:
    // Starts the unit and makes the window; the unit's credentials are admin / radio.
    void start(unitsim::UnitOptions options = {});
    void TearDown() override;

    // Connects through the Connection menu, the telnet dialog filled with the unit's
    // address (or another port).
    void requestTelnetConnection(quint16 port = 0);
    // The same, then the connection awaited: true when the window is connected.
    bool connectTelnet();
    // Answers the next login dialog.
    void answerLogin(const QString &user, const QString &password);
    void cancelLogin();
    // Connects and logs in; true once the unit's first prompt has been seen.
    bool connectTelnetAndLogIn();
    bool connectSerialAndLogIn();
    bool connectAndLogIn(Transport transport);
    // Forgets the saved properties, so that the window starts as on its first use.
    static void forgetSettings();

    // Login dialogs answered so far.
    int logins() const { return modals.handledCount(QStringLiteral("frmUserNamePassword")); }
    // Lines the unit received, of one kind, in order.
    QStringList commandLines() const;
    int bareLineFeeds() const;

    std::unique_ptr<unitsim::SimulatedUnit> unit;
    std::unique_ptr<frmTevoHadraConfig> w;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs files;
    ModalDriver modals;
    Watchdog watchdog{50};
};
