#include "wprtfstorage.h"

#include "richdocument.h"
#include "rtfreader.h"
#include "rtfwriter.h"

#include <QAtomicInteger>
#include <QTextDocument>

namespace {
quint64 NextRevision()
{
    static QAtomicInteger<quint64> counter;
    return ++counter;
}

bool SameText(const QTextDocument& a, const QTextDocument& b)
{
    return (a.isEmpty() && b.isEmpty()) || WriteRtf(a) == WriteRtf(b);
}
} // namespace

TWPRtfStorage::TWPRtfStorage(QObject* parent) : QObject(parent), m_revision(NextRevision()) {}

TWPRtfStorage::~TWPRtfStorage() = default;

void TWPRtfStorage::Assign(const TWPRtfStorage& other)
{
    if (&other == this)
        return;
    if (other.m_doc) {
        ForgetLayout();
        CopyRichDocument(*other.m_doc, doc());
    } else {
        m_doc.reset();
    }
    m_lastError.clear();
    Changed();
    // The same content keeps its bytes; no need to write them again.
    m_rtfCache = other.m_rtfCache;
    m_rtfCacheValid = other.m_rtfCacheValid;
    m_picturesNotShown = other.m_picturesNotShown;
    m_unreadBytes = other.m_unreadBytes;
}

bool TWPRtfStorage::IsEmpty() const
{
    return !m_doc || m_doc->isEmpty();
}

void TWPRtfStorage::Clear()
{
    m_doc.reset();
    m_lastError.clear();
    m_picturesNotShown = 0;
    m_unreadBytes.clear();
    Changed();
}

QByteArray TWPRtfStorage::RtfData() const
{
    if (!m_unreadBytes.isEmpty())
        return m_unreadBytes;
    if (IsEmpty())
        return {};
    if (!m_rtfCacheValid) {
        m_rtfCache = WriteRtf(*m_doc);
        m_rtfCacheValid = true;
    }
    return m_rtfCache;
}

bool TWPRtfStorage::SetRtfData(const QByteArray& bytes)
{
    TRtfReadInfo info;
    bool ok = true;
    if (bytes.isEmpty())
        m_doc.reset();
    else
        ok = ReadRtf(bytes, doc(), info);
    m_lastError = info.error;
    m_picturesNotShown = info.picturesNotShown;
    Changed();
    const bool whole = ok && info.Whole();
    // What could not be read stays in the bytes, so they are what is written back.
    m_unreadBytes = whole ? QByteArray() : bytes;
    if (whole && !IsEmpty()) {
        m_rtfCache = bytes;
        m_rtfCacheValid = true;
    }
    return ok;
}

QString TWPRtfStorage::LastError() const
{
    return m_lastError;
}

int TWPRtfStorage::PicturesNotShown() const
{
    return m_picturesNotShown;
}

bool TWPRtfStorage::KeepsUnreadBytes() const
{
    return !m_unreadBytes.isEmpty();
}

const QTextDocument& TWPRtfStorage::Document() const
{
    return doc();
}

void TWPRtfStorage::SetDocument(const QTextDocument& doc)
{
    if (&doc != m_doc.get()) {
        // A cell opened and left without a change keeps the bytes it could not read whole.
        if (!m_unreadBytes.isEmpty() && SameText(doc, Document()))
            return;
        ForgetLayout();
        CopyRichDocument(doc, this->doc());
    }
    m_lastError.clear();
    m_picturesNotShown = 0;
    m_unreadBytes.clear();
    Changed();
}

QString TWPRtfStorage::PlainText() const
{
    return m_doc ? m_doc->toPlainText() : QString();
}

quint64 TWPRtfStorage::Revision() const
{
    return m_revision;
}

const QTextDocument& TWPRtfStorage::LaidOutDocument(double widthPixels) const
{
    QTextDocument& laidOut = doc();
    if (laidOut.textWidth() != widthPixels)
        laidOut.setTextWidth(widthPixels);
    return laidOut;
}

QTextDocument& TWPRtfStorage::doc() const
{
    if (!m_doc) {
        m_doc = std::make_unique<TRichDocument>();
        PrepareRichDocument(*m_doc);
    }
    return *m_doc;
}

void TWPRtfStorage::Changed()
{
    m_revision = NextRevision();
    m_rtfCacheValid = false;
    m_rtfCache.clear();
}

// New content takes no layout from the old, and none while it comes in: the next paint lays it out at its
// width afresh, and reading alone (the command line's dump) lays out nothing.
void TWPRtfStorage::ForgetLayout()
{
    if (m_doc)
        m_doc->setPageSize(QSizeF(0, 0));
}
