// The calendar document (.QXF: settings, border, date, day texts, title, placed objects) and the style
// sheet (.QXS: settings and border), written and read in the component stream.
#pragma once

#include "calendarsettings.h"

#include "calendardraw/calendartypes.h"
#include "stream/classregistry.h"
#include "stream/streamerror.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <stdexcept>

class QObject;
class TCalendarPageModel;
class TPageDocument;

// A document or style sheet that could not be read or written. Detail() says what went wrong.
class ECalendarFileError : public std::runtime_error
{
public:
    ECalendarFileError(const QString& fileName, const QString& detail);
    QString FileName() const { return m_fileName; }
    QString Detail() const { return m_detail; }

private:
    QString m_fileName;
    QString m_detail;
};

// The notices the main window and the properties dialog show for a file they could not open.
QString UnableToOpenDocumentMessage(const QString& fileName);
QString UnableToOpenStyleSheetMessage(const QString& fileName);

// The placed-object kinds documents may hold: the surface's one registry, which every kind joins.
TClassRegistry& PlacedObjectClasses();

// No document or style sheet is anywhere near this size; a larger file is refused before it is read.
constexpr qint64 kMaxDocumentBytes = 64LL * 1024 * 1024;

// Version 4 is what every page without week numbers or moon phases is written as; version 5 adds those
// two settings after the border name, so that readers of version 4 refuse such a file rather than lose them.
constexpr int kDocumentVersion = 4;
constexpr int kPageOptionsVersion = 5;
constexpr int kDocumentKind = 1;
constexpr int kStyleSheetKind = 2;

// What a document file holds, read without a page: the settings over a base, the RTF bytes of each
// day cell and where the placed-object list starts.
struct TCalendarDocumentContent
{
    int version = 0;
    int kind = 0;
    // The base given, with the settings block, border, date, start time and (from version 2) title read.
    CalendarSettings settings;
    std::array<QByteArray, kCellCount + 1> cells; // 1..42; empty for an empty day
    // Offset of the placed-object list in the bytes; -1 for files before version 3.
    qsizetype objectListOffset = -1;
};

// Reads a document of version 1 to 5 up to its placed objects; bad input raises EStreamError, and so do
// bytes after the end of a placed-object list that reads whole.
TCalendarDocumentContent ParseDocument(const QByteArray& bytes, const CalendarSettings& base);
// Reads the settings block and border of a style sheet or a document; bad input raises EStreamError.
CalendarSettings ParseStyleSheet(const QByteArray& bytes, const CalendarSettings& base);

// What reading a document into a page met on the way, and what of it could not be read.
struct TDocumentReadInfo
{
    int version = 0;
    qsizetype objectListOffset = -1;
    int objectsRead = 0;
    // Why the placed objects broke off, when they did; the objects before stay on the page.
    QString objectsError;
    // Placed objects from the break on; saving the document drops them.
    int objectsNotRead = 0;
    // Day cells that could not be read whole; they keep their bytes and save them unchanged unless edited.
    int cellsKept = 0;
    // Pictures left out or shown as empty frames: damaged, of a kind Almarin cannot draw, or too costly.
    int picturesNotShown = 0;
    // Values of placed objects out of range, each "Property value": the objects keep their own instead.
    QStringList valuesIgnored;
    // The border art named, when the installation lacks it: the page shows none and saving keeps the name.
    QString borderArtMissing;
    bool Whole() const
    {
        return objectsNotRead == 0 && cellsKept == 0 && picturesNotShown == 0 && valuesIgnored.isEmpty() &&
               borderArtMissing.isEmpty();
    }
};

// What the user is told after opening: what of the file could not be read and what saving will do with it.
// Empty when everything was read.
QString DocumentReadNotice(const QString& fileName, const TDocumentReadInfo& info);

// The document bytes of the page (version 4, or 5 with week numbers or moon phases) with the placed objects
// given; no widget needed.
QByteArray DocumentBytes(const TCalendarPageModel& model, const QList<const QObject*>& objects);
// The document bytes of the page and its placed objects, at whatever zoom the page shows.
QByteArray DocumentBytes(const TPageDocument& page);
// Reads document bytes of version 1 to 5 into the page, then relayouts it. Placed objects are created
// from the registry with the page as parent and named uniquely among the owner's descendants. Bad input
// before the placed objects raises EStreamError; trouble among the placed objects only ends them. All
// pictures of the document share one picture budget.
TDocumentReadInfo ReadDocumentBytes(TPageDocument& page, const QByteArray& bytes, const QObject* owner,
                                    const TClassRegistry& registry = PlacedObjectClasses());

// Reads document bytes into a page whose bytes are `current` now, redoing only what differs: the
// settings, the day cells whose text differs, and the placed objects from the first to the last record
// that differs (all of them unless `keepEqualObjects`); objects keep the names stored. With `current`
// empty everything is read anew. Returns the objects created, in the page's child order. Bad input
// raises EStreamError.
QList<QObject*> ReadDocumentDifferences(TPageDocument& page, const QByteArray& current, const QByteArray& target,
                                        bool keepEqualObjects, const TClassRegistry& registry = PlacedObjectClasses());

QByteArray StyleSheetBytes(const TCalendarPageModel& model);
// The settings block and border of a style sheet or a document; date, day texts and title stay.
void ReadStyleSheetBytes(TCalendarPageModel& model, const QByteArray& bytes);

// The bytes of a document or style sheet file; a file larger than kMaxDocumentBytes is refused
// unread. Failures raise ECalendarFileError.
QByteArray ReadDocumentFile(const QString& fileName);

// The file forms. Saving replaces the file whole or not at all; every failure raises ECalendarFileError.
void SaveToFile(const TPageDocument& page, const QString& fileName);
TDocumentReadInfo LoadFromFile(TPageDocument& page, const QString& fileName, const QObject* owner,
                               const TClassRegistry& registry = PlacedObjectClasses());
void SaveStyleSheet(const TPageDocument& page, const QString& fileName);
void LoadStyleSheet(TPageDocument& page, const QString& fileName);
