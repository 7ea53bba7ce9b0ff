#pragma once
// Combo boxes that take a number: netmask prefix lengths (shown beside them as a dotted
// netmask) and the RIP timers.
class QComboBox;
class QLabel;

// When the operator leaves `combo` after typing text that is not a whole number from
// `lowest` to `highest`, the value it had on entry comes back (with a beep). Values the
// program puts in, such as a dotted netmask read from the unit, are left as they are.
void keepWholeNumbers(QComboBox *combo, int lowest, int highest);

// Whenever `combo` shows a prefix length, `label` shows its dotted netmask.
void showDottedNetmask(QComboBox *combo, QLabel *label);

// The netmask combos take prefix lengths 0 to 32.
void makeNetmaskCombo(QComboBox *combo, QLabel *dottedLabel);
