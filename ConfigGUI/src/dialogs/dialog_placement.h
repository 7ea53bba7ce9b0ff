#pragma once
// Window placement shared by the dialogs.
class QWidget;

// Centres the window on the screen it is on.
void centreOnScreen(QWidget &window);
