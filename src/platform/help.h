// Almarin's help: HTML pages under the program folder's "help" folder, shown in one help window.
#pragma once

#include <QString>

// Opens the page for a numbered topic ("help/topic_N.html"), falling back to the contents.
void ShowHelpTopic(int topic);
void ShowHelpContents();
// The file a topic opens (0 = contents); empty when neither page exists. Exposed for tests.
QString HelpPageFile(int topic);
