#pragma once
// What the command line gives the main window: in demo mode, the embedded unit's
// telnet address and serial device, and the credentials the login dialog offers.
#include <QString>

struct StartOptions
{
    bool demo = false;
    QString demoTelnetHost;
    int demoTelnetPort = 0;
    QString demoSerialDevice;
    QString demoUserName;
    QString demoPassword;
};
