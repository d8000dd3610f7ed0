// Where Almarin finds its assets and keeps its user files.
#pragma once

#include <QString>

// The folder of the executable, always ending in '/'; for a program installed in PREFIX/bin, its assets
// folder PREFIX/share/almarin.
QString ProgramDirectory();
// Tests point the program folder elsewhere; an empty path restores the executable's folder.
void SetProgramDirectory(const QString& path);

// The folder for user files (settings, recurring dates, scratch files): the program folder when it is
// writable and not an installed one, otherwise the user's config folder. Always ends in '/'.
QString UserFileDirectory();
QString UserFilePath(const QString& name);
// Where the dialogs for documents, style sheets and exported pages start: the program folder while it
// holds the user files, as when Almarin runs in place; otherwise the user's documents folder (or home).
// Always ends in '/'.
QString DocumentDirectory();
// The settings file "QX.ini".
QString SettingsFileName();

// Finds a file under `folder` whose relative path matches `relative` without regard to letter case
// (components separated by '/'). Returns the real path, or an empty string when nothing matches.
QString FindFileNoCase(const QString& folder, const QString& relative);
// The same inside the program folder.
QString FindProgramFile(const QString& relative);
