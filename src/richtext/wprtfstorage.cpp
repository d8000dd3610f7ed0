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
} // namespace

TWPRtfStorage::TWPRtfStorage(QObject* parent) : QObject(parent), m_doc(std::make_unique<QTextDocument>())
{
    PrepareRichDocument(*m_doc);
    m_revision = NextRevision();
}

TWPRtfStorage::~TWPRtfStorage() = default;

void TWPRtfStorage::Assign(const TWPRtfStorage& other)
{
    if (&other == this)
        return;
    SetDocument(*other.m_doc);
    // The same content keeps its bytes; no need to write them again.
    m_rtfCache = other.m_rtfCache;
    m_rtfCacheValid = other.m_rtfCacheValid;
}

bool TWPRtfStorage::IsEmpty() const
{
    return m_doc->isEmpty();
}

void TWPRtfStorage::Clear()
{
    m_doc->clear();
    PrepareRichDocument(*m_doc);
    m_lastError.clear();
    Changed();
}

QByteArray TWPRtfStorage::RtfData() const
{
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
    bool ok = true;
    if (bytes.isEmpty()) {
        m_doc->clear();
        PrepareRichDocument(*m_doc);
        m_lastError.clear();
    } else {
        ok = ReadRtf(bytes, *m_doc, &m_lastError);
    }
    Changed();
    if (ok && m_lastError.isEmpty() && !IsEmpty()) {
        m_rtfCache = bytes;
        m_rtfCacheValid = true;
    }
    return ok;
}

QString TWPRtfStorage::LastError() const
{
    return m_lastError;
}

const QTextDocument& TWPRtfStorage::Document() const
{
    return *m_doc;
}

void TWPRtfStorage::SetDocument(const QTextDocument& doc)
{
    if (&doc != m_doc.get())
        CopyRichDocument(doc, *m_doc);
    m_lastError.clear();
    Changed();
}

QString TWPRtfStorage::PlainText() const
{
    return m_doc->toPlainText();
}

quint64 TWPRtfStorage::Revision() const
{
    return m_revision;
}

const QTextDocument& TWPRtfStorage::LaidOutDocument(double widthPixels) const
{
    if (m_doc->textWidth() != widthPixels)
        m_doc->setTextWidth(widthPixels);
    return *m_doc;
}

void TWPRtfStorage::Changed()
{
    m_revision = NextRevision();
    m_rtfCacheValid = false;
    m_rtfCache.clear();
    // New content takes no layout from the old: the next paint lays it out at its width afresh.
    m_doc->setTextWidth(-1);
}
