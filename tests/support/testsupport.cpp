#include "testsupport.h"

#include "platform/programfolder.h"

#include <QDir>

ScratchProgramFolder::ScratchProgramFolder() : m_previous(ProgramDirectory())
{
    SetProgramDirectory(m_dir.path());
}

ScratchProgramFolder::~ScratchProgramFolder()
{
    SetProgramDirectory(m_previous);
}

QString ScratchProgramFolder::path() const
{
    return ProgramDirectory();
}

QString ScratchProgramFolder::file(const QString& name) const
{
    return ProgramDirectory() + name;
}

QString TestOutputDir(const QString& sub)
{
    QString base = qEnvironmentVariable("ALMARIN_TEST_OUTPUT");
    if (base.isEmpty())
        base = QDir::currentPath() + QStringLiteral("/test-output");
    const QString dir = base + QLatin1Char('/') + sub;
    QDir().mkpath(dir);
    return dir;
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}
