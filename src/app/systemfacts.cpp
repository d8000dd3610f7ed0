#include "systemfacts.h"

#include "platform/rounding.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPrinterInfo>
#include <QScreen>
#include <QSysInfo>

namespace {

QByteArray readSmallFile(const QString& path)
{
    QFile file(path);
    // Files under /proc report size 0, so read up to a bound rather than by the reported size.
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(1 << 20);
}

// "KEY=value" lines as os-release and /etc/default/locale write them, quotes removed.
QHash<QString, QString> shellAssignments(const QByteArray& text)
{
    QHash<QString, QString> values;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || eq <= 0)
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        values.insert(line.left(eq).trimmed(), value);
    }
    return values;
}

// "Key : value" lines as /proc/cpuinfo and /proc/meminfo write them; the first of a key wins.
QHash<QString, QString> colonFields(const QByteArray& text)
{
    QHash<QString, QString> values;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            continue;
        const QString key = line.left(colon).trimmed();
        if (!values.contains(key))
            values.insert(key, line.mid(colon + 1).trimmed());
    }
    return values;
}

void readOs(TSystemFacts& facts)
{
    QByteArray text = readSmallFile(QStringLiteral("/etc/os-release"));
    if (text.isEmpty())
        text = readSmallFile(QStringLiteral("/usr/lib/os-release"));
    const QHash<QString, QString> os = shellAssignments(text);
    facts.OsName = os.value(QStringLiteral("NAME"), QSysInfo::productType());
    facts.OsVersion = os.value(QStringLiteral("VERSION"), os.value(QStringLiteral("VERSION_ID")));
    if (facts.OsVersion.isEmpty())
        facts.OsVersion = QSysInfo::productVersion();
    facts.KernelVersion = QSysInfo::kernelVersion();
    // Qt answers "unknown" itself where it knows nothing.
    for (QString* value : {&facts.OsName, &facts.OsVersion, &facts.KernelVersion})
        if (value->compare(QLatin1String("unknown"), Qt::CaseInsensitive) == 0)
            value->clear();
}

void readCpu(TSystemFacts& facts)
{
    facts.CpuArchitecture = QSysInfo::currentCpuArchitecture();
    const QHash<QString, QString> cpu = colonFields(readSmallFile(QStringLiteral("/proc/cpuinfo")));
    // x86 names the model "model name"; other architectures use one of the others.
    for (const char* key : {"model name", "Model", "cpu model", "Processor", "cpu"}) {
        facts.CpuModel = cpu.value(QLatin1String(key));
        if (!facts.CpuModel.isEmpty())
            break;
    }
}

void readMemory(TSystemFacts& facts)
{
    const QHash<QString, QString> mem = colonFields(readSmallFile(QStringLiteral("/proc/meminfo")));
    auto bytes = [&mem](const char* key) -> qint64 {
        bool ok = false;
        const qint64 kib = mem.value(QLatin1String(key)).section(QLatin1Char(' '), 0, 0).toLongLong(&ok);
        return ok && kib >= 0 ? kib * 1024 : -1;
    };
    facts.PhysTotal = bytes("MemTotal");
    // Kernels before 3.14 know no MemAvailable.
    facts.PhysAvailable = mem.contains(QStringLiteral("MemAvailable")) ? bytes("MemAvailable") : bytes("MemFree");
    facts.SwapTotal = bytes("SwapTotal");
    facts.SwapAvailable = bytes("SwapFree");
}

// The locale the system gives every user who chooses none; C when the system sets none itself.
std::optional<QLocale> systemDefaultLocale()
{
    for (const char* path : {"/etc/locale.conf", "/etc/default/locale"}) {
        QFile file(QString::fromLatin1(path));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QHash<QString, QString> values = shellAssignments(file.read(1 << 16));
        const QString name = values.value(QStringLiteral("LC_ALL"), values.value(QStringLiteral("LANG")));
        return name.isEmpty() ? QLocale::c() : QLocale(name.section(QLatin1Char('.'), 0, 0));
    }
    return std::nullopt;
}

} // namespace

TSystemFacts GatherSystemFacts(const QScreen* screen)
{
    TSystemFacts facts;
    readOs(facts);
    readCpu(facts);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        facts.ScreenSize = screen->size();
        facts.ScreenDepth = screen->depth();
        facts.LogicalDpi = RoundHalfEven(screen->logicalDotsPerInch());
    }
    readMemory(facts);
    facts.UserLocale = QLocale();
    facts.SystemLocale = systemDefaultLocale();
    for (const QPrinterInfo& printer : QPrinterInfo::availablePrinters())
        facts.Printers.append({printer.printerName(), printer.makeAndModel()});
    return facts;
}
