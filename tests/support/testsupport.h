// Helpers shared by the test executables: a scratch program folder and an output folder for images.
#pragma once

#include <QString>
#include <QTemporaryDir>

// Points the program folder at a fresh temporary folder for the lifetime of the object.
class ScratchProgramFolder
{
public:
    ScratchProgramFolder();
    ~ScratchProgramFolder();
    QString path() const; // with a trailing '/'
    QString file(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Folder under the build tree where tests leave images for a person to look at.
QString TestOutputDir(const QString& sub);
