// An output file written whole or not at all: the bytes go to a temporary file beside the target,
// which replaces the target only when every byte has reached the disk.
#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

class TAtomicFile
{
public:
    explicit TAtomicFile(const QString& fileName);

    // Creates the temporary file; false when the folder cannot take it.
    bool Open();
    bool Write(const QByteArray& bytes);
    // Replaces the target; after any failure the target stays as it was and the temporary file goes.
    bool Commit();
    // Why the first failure happened, in the system's words.
    QString ErrorString() const { return m_error; }

    // Open, Write and Commit in one; empty on success, else the reason.
    static QString WriteWhole(const QString& fileName, const QByteArray& bytes);

private:
    bool fail(const QString& reason);

    QSaveFile m_file;
    QString m_error;
};
