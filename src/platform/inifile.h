// The settings file: sections of key=value lines, read and written one value at a time.
// Writing a value leaves every other line of the file exactly as it was.
#pragma once

#include <QString>
#include <QStringList>

// Each call opens the file, reads or rewrites it whole and closes it; nothing is cached, so two
// objects on the same file never disagree. Section and key names compare without regard to case.
// A missing file, section or key, and a value that cannot be read as the type asked for, give the
// default. Writes go through a temporary file, so a failed write leaves the previous file whole.
class TIniFile
{
public:
    explicit TIniFile(const QString& fileName);
    QString FileName() const { return m_fileName; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal with an optional sign; anything else, or a number beyond 32 bits, gives the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // True for any non-zero integer.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    // The section's key=value lines in file order (keys and values as ReadString sees them).
    QStringList ReadSectionValues(const QString& section) const;

    // The write functions return false when the file could not be read or written, or when a name
    // or value would break the file's line structure (line breaks, '=' in a key, ']' in a section).
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);
    // Removes every section of that name with all its lines; true when nothing of it remains.
    bool EraseSection(const QString& section);

private:
    QString m_fileName;
};
