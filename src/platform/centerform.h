// Places dialogs over the main window, and the main window on the screen.
#pragma once

class QWidget;

// The main window registers itself so that dialogs can be centred over it.
void SetMainForm(QWidget* mainForm);
QWidget* MainForm();

// The main window (class TCalendarMain) is centred on the screen; any other form over the main
// window, or on the screen while the main window is maximised. Halving truncates; no clamping.
void CenterForm(QWidget* form);
