// Where Almarin's file dialogs (documents, style sheets, exports, imports) start: the open document's
// folder, else the folder of the file last chosen in one of them, else the documents folder.
#pragma once

#include <QString>

QString DialogFolder();
// The main window names the open document's file here; empty while none is open or it has no file yet.
void SetDialogDocument(const QString& documentFile);
// A file chosen in a file dialog; an empty choice (a cancelled dialog) changes nothing.
void RememberDialogChoice(const QString& chosenFile);
