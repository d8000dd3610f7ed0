#include "calendardocument.h"

#include "calendarpagemodel.h"
#include "pagedocument.h"

#include "flatcalendar/qflatcalendar.h"
#include "image/qimage.h"
#include "label/qplabel.h"
#include "richlabel/qprichbaselabel.h"
#include "supertext/qsupertext.h"

#include "graphics/picturebudget.h"
#include "platform/atomicfile.h"
#include "platform/rounding.h"
#include "qgraphiccontrol.h"
#include "richtext/wprtfstorage.h"
#include "stream/componentio.h"
#include "stream/streamreader.h"
#include "stream/streamwriter.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kCellClass = QStringLiteral("TWPRtfStorage");
constexpr int kMaxFontPoints = 2000;

[[noreturn]] void Fail(const QString& message)
{
    throw EStreamError(message);
}

void WriteFontRecord(TStreamWriter& writer, const FontDescription& font)
{
    writer.WriteString(font.name);
    writer.WriteInteger(font.size);
    writer.WriteBoolean(font.style & fsBold);
    writer.WriteBoolean(font.style & fsItalic);
    writer.WriteBoolean(font.style & fsUnderline);
    writer.WriteBoolean(font.style & fsStrikeOut);
    writer.WriteInteger(font.color);
}

FontDescription ReadFontRecord(TStreamReader& reader)
{
    FontDescription font;
    font.name = reader.ReadString();
    font.size = reader.ReadInteger();
    // Sizes beyond this come only from damaged files and would overflow the pixel sizes drawn with.
    if (font.size < 1 || font.size > kMaxFontPoints)
        Fail(QStringLiteral("Font size %1 out of range").arg(font.size));
    font.style = 0;
    if (reader.ReadBoolean())
        font.style |= fsBold;
    if (reader.ReadBoolean())
        font.style |= fsItalic;
    if (reader.ReadBoolean())
        font.style |= fsUnderline;
    if (reader.ReadBoolean())
        font.style |= fsStrikeOut;
    font.color = reader.ReadInteger();
    return font;
}

int MarginHundredths(float inches)
{
    return RoundHalfEven(double(inches) * 100.0);
}

void WriteSettingsBlock(TStreamWriter& writer, const CalendarSettings& s)
{
    writer.WriteInteger(s.A4Paper ? 1 : 0);
    writer.WriteInteger(s.CalendarOrientation);
    writer.WriteInteger(MarginHundredths(s.LeftMarginInch));
    writer.WriteInteger(MarginHundredths(s.TopMarginInch));
    writer.WriteInteger(MarginHundredths(s.RightMarginInch));
    writer.WriteInteger(MarginHundredths(s.BottomMarginInch));
    writer.WriteInteger(s.CalendarLayout);
    writer.WriteInteger(s.CalendarBorder);
    writer.WriteInteger(s.CalendarLineLayout);
    for (int month = 1; month <= 12; ++month)
        writer.WriteString(s.MonthNames[month]);
    for (int day = 1; day <= 7; ++day)
        writer.WriteString(s.DayNames[day]);
    writer.WriteInteger(s.TitleBGColor);
    WriteFontRecord(writer, s.TitleFont);
    writer.WriteBoolean(s.TitleShowYear);
    WriteFontRecord(writer, s.HeadersFont);
    writer.WriteInteger(s.HeadersBorder);
    writer.WriteInteger(s.HeadersStyle);
    writer.WriteInteger(s.HeadersBGColor);
    WriteFontRecord(writer, s.CellFont);
    writer.WriteInteger(s.CellBorder);
    writer.WriteInteger(s.MiniCalendarLineLayout);
    writer.WriteInteger(s.MiniCalBorder);
    writer.WriteInteger(s.MiniCalBGColor);
    writer.WriteBoolean(s.MiniShowYear);
    WriteFontRecord(writer, s.MiniTitleFont);
    WriteFontRecord(writer, s.MiniHeadersFont);
    writer.WriteInteger(s.MiniHeadersBGColor);
    writer.WriteInteger(s.MiniHeadersStyle);
    writer.WriteInteger(s.MiniHeadersBorder);
    writer.WriteInteger(s.MiniCellBorder);
    WriteFontRecord(writer, s.MiniCellFont);
    writer.WriteInteger(s.NumberPosition);
}

// Enumerations are stored as indexes; one out of range would index past the drawing tables.
template <class E> E ReadIndex(TStreamReader& reader, int count, const char* what)
{
    const qint32 index = reader.ReadInteger();
    if (index < 0 || index >= count)
        Fail(QStringLiteral("%1 %2 out of range").arg(QLatin1String(what)).arg(index));
    return static_cast<E>(index);
}

float ReadMargin(TStreamReader& reader)
{
    const qint32 hundredths = reader.ReadInteger();
    if (hundredths < 0 || hundredths > kMaxMarginHundredths)
        Fail(QStringLiteral("Margin %1 out of range").arg(hundredths));
    return float(hundredths * 0.01);
}

void ReadSettingsBlock(TStreamReader& reader, CalendarSettings& s)
{
    s.A4Paper = reader.ReadInteger() != 0;
    s.CalendarOrientation = ReadIndex<TCalendarOrientation>(reader, 2, "Orientation");
    s.LeftMarginInch = ReadMargin(reader);
    s.TopMarginInch = ReadMargin(reader);
    s.RightMarginInch = ReadMargin(reader);
    s.BottomMarginInch = ReadMargin(reader);
    s.CalendarLayout = ReadIndex<TCalendarLayout>(reader, kLayoutCount, "Layout");
    s.CalendarBorder = ReadIndex<TCalBorderStyle>(reader, 5, "Border style");
    s.CalendarLineLayout = ReadIndex<TCalendarLineLayout>(reader, 3, "Line layout");
    for (int month = 1; month <= 12; ++month)
        s.MonthNames[month] = reader.ReadString();
    for (int day = 1; day <= 7; ++day)
        s.DayNames[day] = reader.ReadString();
    s.TitleBGColor = reader.ReadInteger();
    s.TitleFont = ReadFontRecord(reader);
    s.TitleShowYear = reader.ReadBoolean();
    s.HeadersFont = ReadFontRecord(reader);
    s.HeadersBorder = ReadIndex<TCalBorderStyle>(reader, 5, "Border style");
    s.HeadersStyle = ReadIndex<TCalHeadersStyle>(reader, 3, "Day name style");
    s.HeadersBGColor = reader.ReadInteger();
    s.CellFont = ReadFontRecord(reader);
    s.CellBorder = ReadIndex<TCalBorderStyle>(reader, 5, "Border style");
    s.MiniCalendarLineLayout = ReadIndex<TMiniCalendarLineLayout>(reader, 3, "Line layout");
    s.MiniCalBorder = ReadIndex<TCalBorderStyle>(reader, 5, "Border style");
    s.MiniCalBGColor = reader.ReadInteger();
    s.MiniShowYear = reader.ReadBoolean();
    s.MiniTitleFont = ReadFontRecord(reader);
    s.MiniHeadersFont = ReadFontRecord(reader);
    s.MiniHeadersBGColor = reader.ReadInteger();
    s.MiniHeadersStyle = ReadIndex<TCalHeadersStyle>(reader, 3, "Day name style");
    s.MiniHeadersBorder = ReadIndex<TCalBorderStyle>(reader, 5, "Border style");
    s.MiniCellBorder = ReadIndex<TCalBorderStyle>(reader, 5, "Border style");
    s.MiniCellFont = ReadFontRecord(reader);
    s.NumberPosition = ReadIndex<TCalendarNumberPosition>(reader, 2, "Number position");
}

void ReadDateAndTime(TStreamReader& reader, CalendarSettings& settings)
{
    const qint32 day = reader.ReadInteger();
    const qint32 month = reader.ReadInteger();
    const qint32 year = reader.ReadInteger();
    const qint32 startOfWeek = reader.ReadInteger();
    const qint32 hour = reader.ReadInteger();
    const qint32 minute = reader.ReadInteger();
    if (day < 0 || day > 31 || month < 1 || month > 12 || year < kMinPageYear || year > kMaxPageYear)
        Fail(QStringLiteral("Invalid date %1-%2-%3").arg(year).arg(month).arg(day));
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        Fail(QStringLiteral("Invalid time %1:%2").arg(hour).arg(minute));
    settings.MainCalDay = day;
    settings.MainCalMonth = month;
    settings.MainCalYear = year;
    settings.StartOfWeek = startOfWeek;
    settings.DayStartTime = (hour * 60 + minute) / 1440.0;
}

// A day cell record: the class name is not checked; its one property is the day's RTF.
QByteArray ReadCellRecord(TStreamReader& reader)
{
    reader.ReadComponentHeader();
    QByteArray rtf;
    while (!reader.EndOfList()) {
        const QString name = reader.ReadPropertyName();
        if (name.compare(QLatin1String("RtfText.Data"), Qt::CaseInsensitive) != 0)
            Fail(QStringLiteral("Unknown property %1 of a day cell").arg(name));
        rtf = reader.ReadBinary();
    }
    reader.ReadListEnd();
    while (!reader.EndOfList())
        reader.SkipComponent(false);
    reader.ReadListEnd();
    return rtf;
}

// The settings quietly, then the border art, which loads it (or keeps the name of art not installed).
void ApplySettings(TCalendarPageModel& model, const CalendarSettings& settings)
{
    model.SetSettingsQuietly(settings);
    model.SetStoredWMFBorderFile(settings.WMFBorderFile);
}

int TimeField(double dayFraction, int field)
{
    const int minutes = RoundHalfEven(dayFraction * 1440.0);
    return field == 0 ? (minutes / 60) % 24 : minutes % 60;
}

void RelayoutAfter(TCalendarPageModel& model, const std::function<void()>& step)
{
    try {
        step();
    } catch (...) {
        model.Relayout(false);
        throw;
    }
    model.Relayout(false);
}

// Versions 1 to 5 are the only layouts there are; any other number is a damaged or foreign file.
int ReadVersion(TStreamReader& reader)
{
    const int version = reader.ReadInteger();
    if (version < 1 || version > kPageOptionsVersion)
        Fail(QStringLiteral("Unknown document version %1").arg(version));
    return version;
}

// The bytes from offset on, without a copy; `bytes` must outlive them.
QByteArray Tail(const QByteArray& bytes, qsizetype offset)
{
    return QByteArray::fromRawData(bytes.constData() + offset, bytes.size() - offset);
}

// Where a placed-object list that reads whole ends; -1 when it does not read whole.
qsizetype ObjectListEnd(const QByteArray& bytes, qsizetype offset)
{
    TStreamReader reader(Tail(bytes, offset));
    try {
        reader.ReadListBegin();
        while (!reader.EndOfList())
            reader.SkipComponent();
        reader.ReadListEnd();
    } catch (const EStreamError&) {
        return -1;
    }
    return offset + reader.Position();
}

// How many records a placed-object list holds; a damaged rest counts as one more.
int CountObjectRecords(const QByteArray& list)
{
    TStreamReader reader(list);
    int count = 0;
    try {
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
            reader.SkipComponent();
            ++count;
        }
    } catch (const EStreamError&) {
        ++count;
    }
    return count;
}

QString Count(int n, const char* one, const char* many)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

QString TooLarge()
{
    return QStringLiteral("The file is larger than %1 MB, more than any calendar document holds")
        .arg(kMaxDocumentBytes / (1024 * 1024));
}

// Pages that use neither setting keep the version-4 bytes that every reader knows.
int VersionOf(const CalendarSettings& s)
{
    return s.ShowWeekNumbers || s.ShowMoonPhases ? kPageOptionsVersion : kDocumentVersion;
}

// The border name, then (from version 5) the two settings that follow it.
void WriteBorderAndOptions(TStreamWriter& writer, const CalendarSettings& s)
{
    writer.WriteString(s.WMFBorderFile);
    if (VersionOf(s) >= kPageOptionsVersion) {
        writer.WriteBoolean(s.ShowWeekNumbers);
        writer.WriteBoolean(s.ShowMoonPhases);
    }
}

void ReadBorderAndOptions(TStreamReader& reader, int version, CalendarSettings& s)
{
    s.WMFBorderFile = version > 3 ? reader.ReadString() : QString();
    s.ShowWeekNumbers = version >= kPageOptionsVersion && reader.ReadBoolean();
    s.ShowMoonPhases = version >= kPageOptionsVersion && reader.ReadBoolean();
}

void WriteWholeFile(const QString& fileName, const QByteArray& bytes)
{
    const QString error = TAtomicFile::WriteWhole(fileName, bytes);
    if (!error.isEmpty())
        throw ECalendarFileError(fileName, error);
}

} // namespace

ECalendarFileError::ECalendarFileError(const QString& fileName, const QString& detail)
    : std::runtime_error((fileName + QStringLiteral(": ") + detail).toStdString()), m_fileName(fileName),
      m_detail(detail)
{
}

QString UnableToOpenDocumentMessage(const QString& fileName)
{
    return QStringLiteral("Unable to open ") + fileName + QStringLiteral(". Possibly ") + QStringLiteral("\n") +
           QStringLiteral("corrupted, possibly not a Calendar file");
}

QString UnableToOpenStyleSheetMessage(const QString& fileName)
{
    return QStringLiteral("Unable to open ") + fileName + QStringLiteral(". Possibly ") + QStringLiteral("\n") +
           QStringLiteral("corrupted, possibly not a Calendar Style file");
}

QString DocumentReadNotice(const QString& fileName, const TDocumentReadInfo& info)
{
    if (info.Whole())
        return QString();
    QStringList lines{QStringLiteral("Not everything in %1 could be read.").arg(QFileInfo(fileName).fileName())};
    if (info.objectsNotRead > 0)
        lines << Count(info.objectsNotRead, "placed object", "placed objects") +
                     QStringLiteral(" could not be read; saving the document will drop them.");
    if (info.cellsKept > 0)
        lines << Count(info.cellsKept, "day cell", "day cells") +
                     (info.cellsKept == 1 ? QStringLiteral(" could not be read in full; it is kept as it was and "
                                                           "saved unchanged unless you edit it.")
                                          : QStringLiteral(" could not be read in full; they are kept as they were "
                                                           "and saved unchanged unless you edit them."));
    if (info.picturesNotShown > 0)
        lines << Count(info.picturesNotShown, "picture is", "pictures are") +
                     QStringLiteral(" not shown: damaged, of a kind Almarin cannot show, or too large.");
    if (info.valuesIgnored.size() == 1)
        lines << QStringLiteral("1 value out of range in a placed object was ignored (%1); the object keeps its "
                                "usual value there.")
                     .arg(info.valuesIgnored.first());
    else if (info.valuesIgnored.size() > 1)
        lines << QStringLiteral("%1 values out of range in placed objects were ignored (the first: %2); the objects "
                                "keep their usual values there.")
                     .arg(info.valuesIgnored.size())
                     .arg(info.valuesIgnored.first());
    if (!info.borderArtMissing.isEmpty())
        lines << QStringLiteral("The border art \"%1\" is not installed: the page is shown without it, and saving "
                                "keeps its name.")
                     .arg(info.borderArtMissing);
    return lines.join(QLatin1Char('\n'));
}

TClassRegistry& PlacedObjectClasses()
{
    static TClassRegistry registry = [] {
        TClassRegistry kinds;
        kinds.Register<TQPLabel>();
        kinds.Register<TQPRichBaseLabel>();
        kinds.Register<TQImage>();
        kinds.Register<TQSuperText>();
        kinds.Register<TQFlatCalendar>();
        return kinds;
    }();
    return registry;
}

QByteArray DocumentBytes(const TCalendarPageModel& model, const QList<const QObject*>& objects)
{
    const CalendarSettings& s = model.Settings();
    TStreamWriter writer;
    writer.WriteListBegin();
    writer.WriteInteger(VersionOf(s));
    writer.WriteInteger(kDocumentKind);
    WriteSettingsBlock(writer, s);
    WriteBorderAndOptions(writer, s);
    writer.WriteInteger(s.MainCalDay);
    writer.WriteInteger(s.MainCalMonth);
    writer.WriteInteger(s.MainCalYear);
    writer.WriteInteger(s.StartOfWeek);
    writer.WriteInteger(TimeField(s.DayStartTime, 0));
    writer.WriteInteger(TimeField(s.DayStartTime, 1));
    for (int cell = 1; cell <= kCellCount; ++cell) {
        writer.WriteComponentBegin(kCellClass, QString());
        if (const TWPRtfStorage* storage = model.CellStorage(cell))
            WriteComponentProperties(writer, *storage);
        else
            writer.WriteListEnd();
        writer.WriteListEnd();
    }
    writer.WriteString(s.UserTitle);
    writer.WriteListEnd();
    WriteComponentList(writer, objects);
    return writer.Data();
}

QByteArray DocumentBytes(const TPageDocument& page)
{
    QList<const QObject*> objects;
    for (const TQGraphicControl* object : page.Objects())
        objects.append(object);
    return DocumentBytes(page.Model(), objects);
}

TCalendarDocumentContent ParseDocument(const QByteArray& bytes, const CalendarSettings& base)
{
    TCalendarDocumentContent content;
    content.settings = base;
    TStreamReader reader(bytes);
    reader.ReadListBegin();
    content.version = ReadVersion(reader);
    content.kind = reader.ReadInteger();
    ReadSettingsBlock(reader, content.settings);
    ReadBorderAndOptions(reader, content.version, content.settings);
    ReadDateAndTime(reader, content.settings);
    for (int cell = 1; cell <= kCellCount; ++cell)
        content.cells[cell] = ReadCellRecord(reader);
    if (content.version > 1)
        content.settings.UserTitle = reader.ReadString();
    reader.ReadListEnd();
    qsizetype end = reader.Position();
    if (content.version > 2) {
        content.objectListOffset = end;
        // A list that breaks off is the placed objects' trouble; one that reads whole ends the document.
        end = ObjectListEnd(bytes, end);
        if (end < 0)
            return content;
    }
    if (end < bytes.size())
        Fail(QStringLiteral("%1 bytes follow the end of the document").arg(bytes.size() - end));
    return content;
}

CalendarSettings ParseStyleSheet(const QByteArray& bytes, const CalendarSettings& base)
{
    CalendarSettings settings = base;
    TStreamReader reader(bytes);
    reader.ReadListBegin();
    const int version = ReadVersion(reader);
    reader.ReadInteger();
    ReadSettingsBlock(reader, settings);
    // A document serves as well: what follows its border name (and page options) is not read.
    ReadBorderAndOptions(reader, version, settings);
    return settings;
}

TDocumentReadInfo ReadDocumentBytes(TPageDocument& page, const QByteArray& bytes, const QObject* owner,
                                    const TClassRegistry& registry)
{
    TDocumentReadInfo info;
    // Every picture of the document, in day cells and placed objects alike, draws from this one.
    TPictureBudget budget;
    TCalendarPageModel& model = page.Model();
    RelayoutAfter(model, [&] {
        const TCalendarDocumentContent content = ParseDocument(bytes, model.Settings());
        ApplySettings(model, content.settings);
        for (int cell = 1; cell <= kCellCount; ++cell) {
            TWPRtfStorage* storage = model.CellStorage(cell);
            if (!storage)
                Fail(QStringLiteral("The page has no day cell %1").arg(cell));
            storage->SetRtfData(content.cells[cell]);
            if (storage->KeepsUnreadBytes())
                ++info.cellsKept;
            info.picturesNotShown += storage->PicturesNotShown();
        }
        info.version = content.version;
        info.objectListOffset = content.objectListOffset;
        if (content.objectListOffset < 0)
            return;
        TStreamReader reader(Tail(bytes, content.objectListOffset));
        const TComponentListResult objects = ReadComponentList(reader, registry, page.ObjectParent(), owner);
        for (QObject* object : objects.objects) {
            if (auto* placed = qobject_cast<TQGraphicControl*>(object)) {
                placed->DocumentRead();
                info.valuesIgnored += placed->IgnoredValues();
                info.picturesNotShown += placed->PicturesNotShown();
            }
        }
        info.objectsRead = int(objects.objects.size());
        info.objectsError = objects.error;
        if (!objects.Complete()) {
            const int records = CountObjectRecords(Tail(bytes, content.objectListOffset));
            info.objectsNotRead = std::max(1, records - info.objectsRead);
        }
    });
    info.picturesNotShown += budget.PicturesLeftOutInPart();
    if (model.BorderArtMissing())
        info.borderArtMissing = model.Settings().WMFBorderFile;
    return info;
}

namespace {

// The records of the placed-object list, each from its signature to its end.
QList<QByteArray> ObjectRecords(const QByteArray& bytes, qsizetype offset)
{
    QList<QByteArray> records;
    if (offset < 0)
        return records;
    const QByteArray list = Tail(bytes, offset);
    TStreamReader reader(list);
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        const qsizetype start = reader.Position();
        reader.SkipComponent();
        records.append(list.mid(start, reader.Position() - start));
    }
    return records;
}

} // namespace

QList<QObject*> ReadDocumentDifferences(TPageDocument& page, const QByteArray& current, const QByteArray& target,
                                        bool keepEqualObjects, const TClassRegistry& registry)
{
    TPictureBudget budget;
    TCalendarPageModel& model = page.Model();
    const bool known = !current.isEmpty();
    const TCalendarDocumentContent was = known ? ParseDocument(current, model.Settings()) : TCalendarDocumentContent();
    const TCalendarDocumentContent will = ParseDocument(target, model.Settings());
    if (!known || !(was.settings == will.settings))
        RelayoutAfter(model, [&] { ApplySettings(model, will.settings); });
    for (int cell = 1; cell <= kCellCount; ++cell) {
        if (!known || was.cells[cell] != will.cells[cell]) {
            if (TWPRtfStorage* storage = model.CellStorage(cell))
                storage->SetRtfData(will.cells[cell]);
        }
    }

    const QList<QByteArray> wasObjects = ObjectRecords(current, was.objectListOffset);
    const QList<QByteArray> willObjects = ObjectRecords(target, will.objectListOffset);
    const QList<TQGraphicControl*> objects = page.Objects();
    // The records alike at both ends keep their objects; those between are made anew.
    qsizetype first = 0;
    qsizetype last = 0;
    if (known && keepEqualObjects && wasObjects.size() == objects.size()) {
        const qsizetype shorter = std::min(wasObjects.size(), willObjects.size());
        while (first < shorter && wasObjects[first] == willObjects[first])
            ++first;
        while (last < shorter - first &&
               wasObjects[wasObjects.size() - 1 - last] == willObjects[willObjects.size() - 1 - last])
            ++last;
    }
    page.ObjectsRebuilding();
    for (qsizetype i = objects.size() - 1 - last; i >= first; --i)
        delete objects[i];
    QList<QObject*> created;
    for (qsizetype i = first; i < willObjects.size() - last; ++i) {
        TStreamReader reader(willObjects[i]);
        QObject* read = ReadComponent(reader, registry, page.ObjectParent());
        auto* object = qobject_cast<TQGraphicControl*>(read);
        if (!object) {
            const QString kind = QString::fromLatin1(read->metaObject()->className());
            delete read;
            Fail(kind + QStringLiteral(" is not a placed object"));
        }
        created.append(object);
    }
    // The objects kept at the end stay on top of those made anew.
    for (qsizetype i = objects.size() - last; i < objects.size(); ++i)
        objects[i]->Raise();
    return created;
}

QByteArray StyleSheetBytes(const TCalendarPageModel& model)
{
    TStreamWriter writer;
    writer.WriteListBegin();
    writer.WriteInteger(VersionOf(model.Settings()));
    writer.WriteInteger(kStyleSheetKind);
    WriteSettingsBlock(writer, model.Settings());
    WriteBorderAndOptions(writer, model.Settings());
    writer.WriteListEnd();
    return writer.Data();
}

void ReadStyleSheetBytes(TCalendarPageModel& model, const QByteArray& bytes)
{
    RelayoutAfter(model, [&] { ApplySettings(model, ParseStyleSheet(bytes, model.Settings())); });
}

void SaveToFile(const TPageDocument& page, const QString& fileName)
{
    WriteWholeFile(fileName, DocumentBytes(page));
}

QByteArray ReadDocumentFile(const QString& fileName)
{
    // Only a regular file has a size to check; a pipe or a device may block or never end.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        throw ECalendarFileError(fileName, QStringLiteral("Not a file: a folder, a pipe or a device"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw ECalendarFileError(fileName, file.errorString());
    if (file.size() > kMaxDocumentBytes)
        throw ECalendarFileError(fileName, TooLarge());
    // A file that grows meanwhile stops at the cap as it is read.
    constexpr qint64 kChunk = 1024 * 1024;
    QByteArray bytes;
    bytes.reserve(file.size());
    while (bytes.size() <= kMaxDocumentBytes) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError)
        throw ECalendarFileError(fileName, file.errorString());
    if (bytes.size() > kMaxDocumentBytes)
        throw ECalendarFileError(fileName, TooLarge());
    return bytes;
}

TDocumentReadInfo LoadFromFile(TPageDocument& page, const QString& fileName, const QObject* owner,
                               const TClassRegistry& registry)
{
    const QByteArray bytes = ReadDocumentFile(fileName);
    try {
        return ReadDocumentBytes(page, bytes, owner, registry);
    } catch (const EStreamError& error) {
        throw ECalendarFileError(fileName, error.Message());
    }
}

void SaveStyleSheet(const TPageDocument& page, const QString& fileName)
{
    WriteWholeFile(fileName, StyleSheetBytes(page.Model()));
}

void LoadStyleSheet(TPageDocument& page, const QString& fileName)
{
    const QByteArray bytes = ReadDocumentFile(fileName);
    try {
        ReadStyleSheetBytes(page.Model(), bytes);
    } catch (const EStreamError& error) {
        throw ECalendarFileError(fileName, error.Message());
    }
}
