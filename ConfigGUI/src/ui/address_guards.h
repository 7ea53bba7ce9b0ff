#pragma once
// The Ethernet and radio addresses of a unit reached over the network: changing either can
// cut the connection, so over telnet they change only through a confirm-and-commit path.
// - Ethernet: entering txtEthernetIP, or opening the Ethernet or radio netmask list, opens
//   "Change IP Address" (frmIPAddress) unless other changes are still to be written. Over
//   serial the field is edited in place; without a connection nothing is guarded.
// - Radio: entering txtRadioIP asks first (or refuses while changes are pending) and locks
//   the field when the answer is no; leaving it changed writes the configuration at once.
class frmTevoHadraConfig;

void connectAddressGuards(frmTevoHadraConfig &w);
// Removes the guards; the window does so while it is still whole, since its controls send
// events while they are destroyed.
void disconnectAddressGuards(frmTevoHadraConfig &w);

// The Ethernet address guard: what entering the Ethernet address field does.
void guardEthernetAddress(frmTevoHadraConfig &w);
