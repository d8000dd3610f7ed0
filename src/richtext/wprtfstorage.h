// One rich text document as a storable component: the day texts of the page and the rich text labels
// keep their text in it, and the document file stores its RTF bytes as "RtfText.Data".
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QTextDocument;

class TWPRtfStorage : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("binary:RtfText.Data", "RtfData")
    Q_PROPERTY(QByteArray RtfData READ RtfData WRITE SetRtfData STORED false)

public:
    explicit TWPRtfStorage(QObject* parent = nullptr);
    ~TWPRtfStorage() override;

    // Copies the other storage's document, and the bytes it keeps.
    void Assign(const TWPRtfStorage& other);
    // No characters and no pictures in the document.
    bool IsEmpty() const;
    void Clear();

    // RTF bytes; an empty array when the document is empty and no unread bytes are kept.
    QByteArray RtfData() const;
    // Bytes that are not RTF give an empty document and false; LastError() says why. Cut-off RTF keeps
    // the text read so far, returns true and leaves a note in LastError(). Bytes that could not be read
    // whole are kept and given back unchanged by RtfData() until the text is changed.
    bool SetRtfData(const QByteArray& bytes);
    QString LastError() const;
    // Pictures of the bytes last read that the document does not show.
    int PicturesNotShown() const;
    // The bytes last read could not be read whole and are still what RtfData() gives.
    bool KeepsUnreadBytes() const;

    // The parsed document, kept until the text changes. A storage makes its document when text
    // arrives or when asked for it here, so the many that stay empty lay nothing out.
    const QTextDocument& Document() const;
    // Copies the document in. The same text as the storage holds leaves kept bytes kept.
    void SetDocument(const QTextDocument& doc);
    QString PlainText() const;
    // Changes whenever the content changes; no two contents of any storages share a value, so it can key caches.
    quint64 Revision() const;

    // The document laid out at a width in pixels of 96 per inch; layout is not content, so Revision stays.
    const QTextDocument& LaidOutDocument(double widthPixels) const;

private:
    QTextDocument& doc() const;
    void Changed();
    void ForgetLayout();

    // Null while the storage has held no text since it was made or cleared.
    mutable std::unique_ptr<QTextDocument> m_doc;
    mutable QByteArray m_rtfCache;
    mutable bool m_rtfCacheValid = false;
    QString m_lastError;
    int m_picturesNotShown = 0;
    QByteArray m_unreadBytes;
    quint64 m_revision = 0;
};
