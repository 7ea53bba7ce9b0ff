#pragma once
// Opening and closing the telnet and serial connections, the command states that follow
// them, the status panels, connect time, receive indicator, status-message reset and
// keep-alive.
#include <QString>

class frmTevoHadraConfig;

namespace session {

void ConnectTelnet(frmTevoHadraConfig &w);
void onTelnetConnect(frmTevoHadraConfig &w);
void ConnectSerial(frmTevoHadraConfig &w);
void DisconnectActiveDevice(frmTevoHadraConfig &w);
void TelnetClient1_Disconnect(frmTevoHadraConfig &w);
void SerialPortClosed(frmTevoHadraConfig &w);

void applyCommandStates(frmTevoHadraConfig &w, bool connected);

void StartConnectTimer(frmTevoHadraConfig &w);
void StopConnectTimer(frmTevoHadraConfig &w);
void onConnectTimeTick(frmTevoHadraConfig &w);
void ShowReceiveActivity(frmTevoHadraConfig &w);
void onReceiveIndicatorTick(frmTevoHadraConfig &w);
void onStatusMessageTick(frmTevoHadraConfig &w);

void onKeepAliveTick(frmTevoHadraConfig &w);
// The telnet Write event and the serial send event.
void onWriteCompleted(frmTevoHadraConfig &w);

void LoadSerialSettings(frmTevoHadraConfig &w);

// "hh:nn:ss " for the connect-time panel.
QString formatConnectTime(qint64 seconds);

} // namespace session
