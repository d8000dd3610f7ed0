#include "atomicfile.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

TAtomicFile::TAtomicFile(const QString& fileName) : m_file(fileName) {}

bool TAtomicFile::Open()
{
    // Unbuffered, so that a short write (the disk filling up) shows at once with its reason; a
    // buffered QSaveFile can commit a cut file after a short write.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(m_file.errorString());
    return true;
}

bool TAtomicFile::Write(const QByteArray& bytes)
{
    if (!m_error.isEmpty())
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = m_file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fail(m_file.errorString());
        done += written;
    }
    return true;
}

bool TAtomicFile::Commit()
{
    // Some file systems report a full disk only when the data is flushed, which QSaveFile ignores.
    if (m_error.isEmpty() && ::fsync(m_file.handle()) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!m_error.isEmpty()) {
        if (m_file.isOpen()) {
            m_file.cancelWriting();
            m_file.commit();
        }
        return false;
    }
    if (!m_file.commit())
        return fail(m_file.errorString());
    return true;
}

QString TAtomicFile::WriteWhole(const QString& fileName, const QByteArray& bytes)
{
    TAtomicFile file(fileName);
    if (!file.Open() || !file.Write(bytes) || !file.Commit())
        return file.ErrorString();
    return QString();
}

bool TAtomicFile::fail(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = reason.isEmpty() ? QStringLiteral("the file could not be written") : reason;
    return false;
}
