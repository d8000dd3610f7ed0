#include "dialogfolder.h"

#include "platform/programfolder.h"

#include <QFileInfo>

namespace {

QString& documentFile()
{
    static QString file;
    return file;
}

QString& lastChoice()
{
    static QString file;
    return file;
}

// The folder of the file when it still exists, with the trailing '/' the other folders have.
QString existingFolderOf(const QString& file)
{
    if (file.isEmpty())
        return {};
    QString folder = QFileInfo(file).absolutePath();
    if (!QFileInfo(folder).isDir())
        return {};
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

QString DialogFolder()
{
    for (const QString& file : {documentFile(), lastChoice()}) {
        const QString folder = existingFolderOf(file);
        if (!folder.isEmpty())
            return folder;
    }
    return DocumentDirectory();
}

void SetDialogDocument(const QString& file)
{
    documentFile() = file;
}

void RememberDialogChoice(const QString& chosenFile)
{
    if (!chosenFile.isEmpty())
        lastChoice() = chosenFile;
}
