#pragma once
// Entering a text field selects its whole text, so that typing replaces it.
class QLineEdit;

void selectAllOnEntry(QLineEdit *field);
