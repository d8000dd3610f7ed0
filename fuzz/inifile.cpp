// Feeds arbitrary bytes to the settings file reader, then writes and erases through it.
#include "platform/inifile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("QX.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    TIniFile ini(path);
    const QString sections[] = {QStringLiteral("Zooming"), QStringLiteral("Default Font"), QStringLiteral("MRU"),
                                QStringLiteral("TCalendarMain_Placement")};
    for (const QString& section : sections) {
        ini.ReadInteger(section, QStringLiteral("Main"), 60);
        ini.ReadBool(section, QStringLiteral("Bold"), false);
        ini.ReadString(section, QStringLiteral("Name"), QStringLiteral("Arial"));
        for (const QString& line : ini.ReadSectionValues(section))
            ini.ReadString(section, line.section(QLatin1Char('='), 0, 0), QString());
    }
    ini.WriteInteger(QStringLiteral("Zooming"), QStringLiteral("Main"), 30);
    if (ini.ReadInteger(QStringLiteral("Zooming"), QStringLiteral("Main"), 0) != 30)
        __builtin_trap();
    ini.EraseSection(QStringLiteral("MRU"));
    if (!ini.ReadSectionValues(QStringLiteral("MRU")).isEmpty())
        __builtin_trap();
    return 0;
}
