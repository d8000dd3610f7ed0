// What the fuzz targets share: one offscreen application without widgets for the whole run,
// the input as a byte array, and the leak report's list of what is not the reader's leak.
// Each target includes this once; it is a header only, since every fuzz/*.cpp is a target of its own.
#pragma once

#include <QByteArray>
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

// Fontconfig keeps its caches for the life of the process; they are not leaks of the reader.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

// Makes the offscreen application on the first call; later calls do nothing.
inline void StartFuzzApplication(const char* programName)
{
    static QByteArray name = programName;
    static char* argv[] = {name.data(), nullptr};
    static int argc = 1;
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    Q_UNUSED(app);
}

inline QByteArray FuzzInput(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}
