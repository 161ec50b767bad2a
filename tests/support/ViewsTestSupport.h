#pragma once

class QDialog;

// One QApplication for the whole test program.
void ensureApplication();

// Clicks a button of the dialog by its name, as the user would.
void clickButton(QDialog& dialog, const char* name);
