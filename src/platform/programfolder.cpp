#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString& overrideFolder()
{
    static QString folder;
    return folder;
}

QString withSlash(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

bool isWritableFolder(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("almarin-probe-XXXXXX"));
    return probe.open();
}

QString executableFolder()
{
    return withSlash(QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath());
}

// An installed program runs from PREFIX/bin and keeps its assets in PREFIX/share/almarin.
QString installedAssetFolder()
{
    const QString exe = executableFolder();
    if (QDir(exe).dirName() != QLatin1String("bin"))
        return {};
    const QString assets = QDir::cleanPath(exe + QStringLiteral("../share/almarin"));
    return QFileInfo(assets).isDir() ? withSlash(assets) : QString();
}

} // namespace

QString ProgramDirectory()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    const QString installed = installedAssetFolder();
    return installed.isEmpty() ? executableFolder() : installed;
}

void SetProgramDirectory(const QString& path)
{
    overrideFolder() = path.isEmpty() ? QString() : withSlash(QDir(path).absolutePath());
}

QString UserFileDirectory()
{
    // An installed program's folder is shared by every user of the machine, even when writable.
    const QString program = ProgramDirectory();
    const bool installed = overrideFolder().isEmpty() && !installedAssetFolder().isEmpty();
    if (!installed && isWritableFolder(program))
        return program;
    QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config/Almarin");
    QDir().mkpath(config);
    return withSlash(config);
}

QString UserFilePath(const QString& name)
{
    return UserFileDirectory() + name;
}

QString DocumentDirectory()
{
    const QString program = ProgramDirectory();
    if (UserFileDirectory() == program)
        return program;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return withSlash(!documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath());
}

QString SettingsFileName()
{
    return UserFilePath(QStringLiteral("QX.ini"));
}

QString FindFileNoCase(const QString& folder, const QString& relative)
{
    QString current = withSlash(folder);
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part == QLatin1String("..") || part == QLatin1String("."))
            return {};
        QString exact = current + part;
        QString found;
        if (QFileInfo::exists(exact)) {
            found = part;
        } else {
            const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
            }
        }
        if (found.isEmpty())
            return {};
        current += found;
        if (i + 1 < parts.size())
            current += QLatin1Char('/');
    }
    return current;
}

QString FindProgramFile(const QString& relative)
{
    return FindFileNoCase(ProgramDirectory(), relative);
}
