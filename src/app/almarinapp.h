// Almarin's entry: the single-instance guard, the application and the main window.
#pragma once

int RunAlmarin(int argc, char** argv);

// Names the application for its settings and the window system. No display name is set: Qt would
// append it to every window and message box caption.
void NameApplication();
