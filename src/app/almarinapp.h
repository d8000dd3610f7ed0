// Almarin's entry: the single-instance guard, the application and the main window.
#pragma once

int RunAlmarin(int argc, char** argv);
