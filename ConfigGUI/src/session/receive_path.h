#pragma once
// The receive path: the telnet control's Read event, the serial control's receive event
// and the serial line splitter. In the forms view received text goes to ProcessReply and
// the unit's prompt ">" releases the waiting command exchange; in the terminal view it
// goes to the terminal display.
class frmTevoHadraConfig;

namespace session {

void onTelnetRead(frmTevoHadraConfig &w, short dataLength);
void onSerialReceive(frmTevoHadraConfig &w);
void onSerialReadTick(frmTevoHadraConfig &w);

} // namespace session
