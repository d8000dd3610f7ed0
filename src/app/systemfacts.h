// What the configuration report tells about the machine, read once from the system. A value that
// cannot be read stays unknown (empty, zero or negative) so that the report can say so.
#pragma once

#include <QList>
#include <QLocale>
#include <QPair>
#include <QSize>
#include <QString>

#include <optional>

class QScreen;

struct TSystemFacts
{
    QString OsName;        // "Debian GNU/Linux"
    QString OsVersion;     // "12 (bookworm)"
    QString KernelVersion; // "6.1.0-18-amd64"
    QString CpuArchitecture;
    QString CpuModel;
    QSize ScreenSize;    // logical pixels; empty without a screen
    int ScreenDepth = 0; // bits per pixel
    int LogicalDpi = 0;
    // Bytes; negative when unknown.
    qint64 PhysTotal = -1;
    qint64 PhysAvailable = -1;
    qint64 SwapTotal = -1;
    qint64 SwapAvailable = -1;
    QLocale UserLocale;
    std::optional<QLocale> SystemLocale;
    // Printer name and its make and model.
    QList<QPair<QString, QString>> Printers;
};

// Reads the facts of this machine; `screen` null means the primary screen.
TSystemFacts GatherSystemFacts(const QScreen* screen = nullptr);
