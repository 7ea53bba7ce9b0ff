#pragma once
// The rules that keep dependent controls consistent with the options chosen: routing modes
// and their sub-tabs (the RIP and OSPF switches), RIP options, OSPF areas, the DHCP server
// frame, the routing or bridging layout, and the RSSI capability switch.
class frmTevoHadraConfig;

// Wires the rules to the controls' clicks and selections.
void connectOptionRules(frmTevoHadraConfig &w);

// A click on chkRoutingMode(index): "Static" stays grayed; RIP and OSPF switch their sub-tab.
void routingModeClicked(frmTevoHadraConfig &w, int index);

// The RIP and OSPF switches: the protocol's sub-tab is shown when the unit supports it
// (its routing-mode box is visible) and enabled while that box is ticked; with the state
// on, the protocol's option rule runs too.
void EnableRIPOptions(frmTevoHadraConfig &w, bool state);
void EnableOSPFFrame(frmTevoHadraConfig &w, bool state);
// Shows or hides the RSSI sub-tab, the RSSI history box and the RSSI strip chart.
void EnableRSSIOptions(frmTevoHadraConfig &w, bool flag);

// Radio address and DHCP tab shown for routing, hidden for bridging.
void applyForwardingLayout(frmTevoHadraConfig &w);
