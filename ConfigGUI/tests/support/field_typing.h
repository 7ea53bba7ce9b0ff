#pragma once
// Typing into the window's and the dialogs' fields as the operator does: with key presses,
// so that the fields' own checks run, on a window that is shown and active, so that focus
// moves as it does for the operator.
#include <QString>

class QWidget;

// Replaces the text of a text field or of an editable combo box by typing `text`.
void typeInto(QWidget *field, const QString &text);

// Shows the window and waits (bounded) until it is active; false when it never is.
bool showActive(QWidget &window);

// Gives `field` the focus with a mouse click, as the operator would.
void clickInto(QWidget *field);
