#include "document/calendardocument.h"
#include "document/flatcalendar/qflatcalendar.h"
#include "document/image/qimage.h"
#include "document/label/qplabel.h"
#include "document/qgraphiccontrol.h"
#include "editor/calendarpanel32.h"
#include "richtext/richdocument.h"
#include "richtext/wprtfstorage.h"
#include "stream/streamreader.h"
#include "stream/streamwriter.h"

#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <sys/stat.h>

// A placed object kind known only to these tests.
class TDocTestBadge : public TQGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(TColor BGColor READ BGColor WRITE SetBGColor)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    explicit TDocTestBadge(QObject* parent = nullptr) : TQGraphicControl(parent) {}
    TColor BGColor() const { return m_color; }
    void SetBGColor(TColor v) { m_color = v; }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& v) { m_caption = v; }

private:
    TColor m_color = clBlack;
    QString m_caption;
};

namespace {

const QByteArray kEmptyDayRecord = QByteArray("TPF0\x0DTWPRtfStorage", 18) + Bytes({0, 0, 0});

TClassRegistry BadgeRegistry()
{
    TClassRegistry registry;
    registry.Register<TDocTestBadge>();
    return registry;
}

TDocTestBadge* AddBadge(TCalendarPanel32& page, const QString& caption, int left)
{
    auto* badge = new TDocTestBadge(&page);
    badge->setObjectName(QStringLiteral("Badge%1").arg(left));
    badge->SetScreenRect(QRect(left, 40, 120, 30));
    badge->SetCaption(caption);
    return badge;
}

QList<TDocTestBadge*> Badges(const TCalendarPanel32& page)
{
    QList<TDocTestBadge*> badges;
    for (QObject* child : page.children()) {
        if (auto* badge = qobject_cast<TDocTestBadge*>(child))
            badges.append(badge);
    }
    return badges;
}

void SetCellText(TCalendarPanel32& page, int cell, const QString& text, bool withPicture = false)
{
    QTextDocument doc;
    PrepareRichDocument(doc);
    QTextCursor cursor(&doc);
    cursor.insertText(text);
    if (withPicture) {
        QImage picture(12, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        InsertRichPicture(cursor, picture);
    }
    page.CellStorage(cell)->SetDocument(doc);
}

int PictureCount(const QTextDocument& doc)
{
    int pictures = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                ++pictures;
        }
    }
    return pictures;
}

// A font record of the settings block, from the format table.
void HandFont(TStreamWriter& w, const char* face, int points, bool bold, TColor color)
{
    w.WriteString(QString::fromLatin1(face));
    w.WriteInteger(points);
    w.WriteBoolean(bold);
    w.WriteBoolean(false);
    w.WriteBoolean(false);
    w.WriteBoolean(false);
    w.WriteInteger(color);
}

// The settings block of the format table, value by value: a landscape twelve-month page on A4 with
// 0.3 in margins, French month names and a green title band.
void HandSettingsBlock(TStreamWriter& w)
{
    w.WriteInteger(1);  // A4Paper
    w.WriteInteger(1);  // CalendarOrientation: coLandscape
    w.WriteInteger(30); // margins × 100
    w.WriteInteger(30);
    w.WriteInteger(30);
    w.WriteInteger(30);
    w.WriteInteger(11); // CalendarLayout: loMC12MonthLS
    w.WriteInteger(3);  // CalendarBorder: cbBottom
    w.WriteInteger(2);  // CalendarLineLayout: llCellsOnly
    const char* months[] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                            "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
    for (const char* month : months)
        w.WriteString(QString::fromUtf8(month));
    const char* days[] = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
    for (const char* day : days)
        w.WriteString(QString::fromLatin1(day));
    w.WriteInteger(RGBValue(0, 128, 0)); // TitleBGColor
    HandFont(w, "Arial", 30, true, clNavy);
    w.WriteBoolean(false); // TitleShowYear
    HandFont(w, "Arial", 12, false, clBlack);
    w.WriteInteger(0);   // HeadersBorder
    w.WriteInteger(2);   // HeadersStyle: dsWhole
    w.WriteInteger(-16); // HeadersBGColor: a system colour
    HandFont(w, "Arial", 9, false, clBlack);
    w.WriteInteger(4); // CellBorder
    w.WriteInteger(1); // MiniCalendarLineLayout
    w.WriteInteger(1); // MiniCalBorder
    w.WriteInteger(clYellow);
    w.WriteBoolean(true); // MiniShowYear
    HandFont(w, "Arial", 7, true, clBlack);
    HandFont(w, "Arial", 6, false, clWhite);
    w.WriteInteger(clNavy); // MiniHeadersBGColor
    w.WriteInteger(1);      // MiniHeadersStyle
    w.WriteInteger(3);      // MiniHeadersBorder
    w.WriteInteger(0);      // MiniCellBorder
    HandFont(w, "Arial", 5, false, clBlack);
    w.WriteInteger(0); // NumberPosition: cnpCenter
}

// A document of an older version, built from the format table; day 15 holds "Payday" as RTF.
QByteArray HandDocument(int version)
{
    TStreamWriter w;
    w.WriteListBegin();
    w.WriteInteger(version);
    w.WriteInteger(1);
    HandSettingsBlock(w);
    if (version > 3)
        w.WriteString(QStringLiteral("Holly"));
    for (int value : {14, 3, 2003, 2, 9, 30}) // day, month, year, week start, hour, minute
        w.WriteInteger(value);
    QByteArray bytes = w.Data();
    for (int cell = 1; cell <= 42; ++cell) {
        if (cell == 15) {
            const QByteArray rtf("{\\rtf1\\ansi Payday}");
            bytes += QByteArray("TPF0\x0DTWPRtfStorage", 18) + Bytes({0, 12}) + "RtfText.Data" + Bytes({10}) +
                     Bytes({int(rtf.size()), 0, 0, 0}) + rtf + Bytes({0, 0});
        } else {
            bytes += kEmptyDayRecord;
        }
    }
    if (version > 1)
        bytes += Bytes({6, 5}) + "Title";
    bytes += Bytes({0});
    if (version > 2) {
        bytes += Bytes({1}) + QByteArray("TPF0\x0DTDocTestBadge", 18) + Bytes({4}) + "Keep" + Bytes({4}) + "Left" +
                 Bytes({2, 7}) + Bytes({7}) + "BGColor" + Bytes({4, 0xFF, 0xFF, 0xFF, 0}) + Bytes({0, 0, 0});
    }
    return bytes;
}

class CalendarDocument : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(m_folder.path()).mkpath(QStringLiteral("Borders"));
        for (const char* name : {"Holly.wpo", "Holly.wls", "Stars.wpo", "Stars.wls"}) {
            const QString file = QStringLiteral("Borders/") + QLatin1String(name);
            QFile::copy(QStringLiteral(ALMARIN_SOURCE_DIR "/assets/") + file, m_folder.file(file));
        }
    }

    QString TempFile(const QString& name) const { return m_files.filePath(name); }

    ScratchProgramFolder m_folder;
    QTemporaryDir m_files;
};

} // namespace

TEST_F(CalendarDocument, NewPageHasEmptyDayRecordsAndAnEmptyObjectList)
{
    TCalendarPanel32 page;
    const QByteArray bytes = DocumentBytes(page);
    EXPECT_EQ(bytes.left(7), Bytes({1, 2, 4, 2, 1, 2, 0}));
    const qsizetype first = bytes.indexOf("TPF0");
    ASSERT_GT(first, 0);
    for (int cell = 0; cell < 42; ++cell)
        ASSERT_EQ(bytes.mid(first + 21 * cell, 21), kEmptyDayRecord) << "cell " << cell + 1;
    // Empty title, end of the document list, then the empty placed-object list.
    EXPECT_EQ(bytes.mid(first + 42 * 21), Bytes({6, 0, 0, 1, 0}));
    page.SetA4Paper(true);
    EXPECT_EQ(DocumentBytes(page).left(7), Bytes({1, 2, 4, 2, 1, 2, 1}));
}

TEST_F(CalendarDocument, MarginsAreHundredthsInTheShortestInteger)
{
    TCalendarPanel32 page;
    page.SetLeftMarginInch(0.25f);
    page.SetTopMarginInch(2.0f);
    page.SetRightMarginInch(0.29f);
    page.SetBottomMarginInch(1.5f);
    // list, version, kind, A4Paper and orientation take 9 bytes; then the four margins.
    EXPECT_EQ(DocumentBytes(page).mid(9, 10), Bytes({2, 25, 3, 200, 0, 2, 29, 3, 150, 0}));
}

TEST_F(CalendarDocument, EverySettingDayTextAndTitleSurviveSaveAndLoad)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(loFC6Before6AfterLS);
    page.SetA4Paper(true);
    page.SetLeftMarginInch(0.37f);
    page.SetTopMarginInch(0.6f);
    page.SetRightMarginInch(1.25f);
    page.SetBottomMarginInch(0.0f);
    page.SetCalendarLineLayout(llHeadersAndCells);
    page.SetMiniCalendarLineLayout(mllMinimal);
    page.SetMonthName(1, QString::fromUtf8("Styczeń"));
    page.SetMonthName(8, QString::fromUtf8("Αύγουστος"));
    page.SetMonthName(12, QString(300, QLatin1Char('D')));
    page.SetDayName(1, QString::fromUtf8("Κυριακή"));
    page.SetDayName(7, QStringLiteral("Sat"));
    page.SetTitleBGColor(RGBValue(10, 20, 30));
    page.SetHeadersBGColor(static_cast<TColor>(0x8000000F));
    page.SetMiniCalBGColor(clYellow);
    page.SetMiniHeadersBGColor(clNavy);
    page.SetTitleFont({QStringLiteral("Liberation Serif"), 31, fsBold | fsItalic, RGBValue(200, 0, 0)});
    page.SetHeadersFont({QStringLiteral("Arial"), 11, fsUnderline, clWhite});
    page.SetCellFont({QStringLiteral("Arial"), 13, fsStrikeOut, clNavy});
    page.SetMiniTitleFont({QStringLiteral("Arial"), 7, 0, clBlack});
    page.SetMiniHeadersFont({QStringLiteral("Courier New"), 6, fsBold, clYellow});
    page.SetMiniCellFont({QStringLiteral("Arial"), 5, fsItalic, clBlack});
    page.SetTitleShowYear(false);
    page.SetMiniShowYear(false);
    page.SetHeadersStyle(dsWhole);
    page.SetMiniHeadersStyle(dsThreeChars);
    page.SetNumberPosition(cnpCenter);
    page.SetCellBorder(cbTop);
    page.SetMiniCellBorder(cbTopBottom);
    page.SetMiniCalBorder(cbNone);
    page.SetStartOfWeek(2);
    page.SetMainCalDay(17);
    page.SetMainCalMonth(8);
    page.SetMainCalYear(2031);
    page.SetDayStartTime(570 / 1440.0);
    page.SetUserTitle(QString::fromUtf8("Ünser Kalender – 日历"));
    page.SetWMFBorderFile(QStringLiteral("Holly"));
    ASSERT_EQ(page.WMFBorderFile(), QStringLiteral("Holly"));
    SetCellText(page, 1, QStringLiteral("New year"));
    SetCellText(page, 20, QString::fromUtf8("Дань рожденія ✓"), true);
    SetCellText(page, 42, QStringLiteral("last"), true);

    const QString file = TempFile(QStringLiteral("full.QXF"));
    SaveToFile(page, file);
    TCalendarPanel32 copy;
    const TDocumentReadInfo info = LoadFromFile(copy, file, &copy);
    EXPECT_EQ(info.version, 4);
    EXPECT_EQ(copy.Settings(), page.Settings());
    EXPECT_EQ(copy.GetMonthName(12).size(), 300);
    EXPECT_EQ(copy.CellStorage(1)->PlainText(), QStringLiteral("New year"));
    EXPECT_TRUE(copy.CellStorage(20)->PlainText().startsWith(QString::fromUtf8("Дань рожденія ✓")));
    EXPECT_EQ(PictureCount(copy.CellStorage(20)->Document()), 1);
    EXPECT_EQ(PictureCount(copy.CellStorage(42)->Document()), 1);
    EXPECT_TRUE(copy.CellStorage(2)->IsEmpty());
    EXPECT_EQ(copy.PageWidth(), page.PageWidth());
}

TEST_F(CalendarDocument, LongAndNonLatinNamesKeepEveryCharacter)
{
    TCalendarPanel32 page;
    const QString longName = QString(256, QLatin1Char('x'));
    page.SetMonthName(3, longName);
    page.SetMonthName(4, QString::fromUtf8("Kwiecień"));
    const QByteArray bytes = DocumentBytes(page);
    EXPECT_TRUE(bytes.contains(Bytes({12, 0, 1, 0, 0}) + QByteArray(256, 'x')));
    const QByteArray utf8 = QString::fromUtf8("Kwiecień").toUtf8();
    EXPECT_TRUE(bytes.contains(Bytes({20, int(utf8.size()), 0, 0, 0}) + utf8));
    TCalendarPanel32 copy;
    ReadDocumentBytes(copy, bytes, &copy);
    EXPECT_EQ(copy.GetMonthName(3), longName);
    EXPECT_EQ(copy.GetMonthName(4), QString::fromUtf8("Kwiecień"));
}

TEST_F(CalendarDocument, PlacedObjectsComeBackInStackingOrderWithFreshNames)
{
    TCalendarPanel32 page;
    AddBadge(page, QStringLiteral("bottom"), 10)->SetBGColor(clWhite);
    AddBadge(page, QStringLiteral("top"), 20)->SetBGColor(RGBValue(1, 2, 3));
    const QByteArray bytes = DocumentBytes(page);
    // A white colour property is the ident clWhite.
    EXPECT_TRUE(bytes.contains(QByteArray("\x07") + "BGColor" + Bytes({7, 7}) + "clWhite"));

    QWidget owner;
    auto* copy = new TCalendarPanel32(&owner);
    (new QObject(&owner))->setObjectName(QStringLiteral("Component0"));
    const TDocumentReadInfo info = ReadDocumentBytes(*copy, bytes, &owner, BadgeRegistry());
    EXPECT_EQ(info.objectsRead, 2);
    EXPECT_TRUE(info.objectsError.isEmpty());
    const QList<TDocTestBadge*> badges = Badges(*copy);
    ASSERT_EQ(badges.size(), 2);
    EXPECT_EQ(badges[0]->Caption(), QStringLiteral("bottom"));
    EXPECT_EQ(badges[0]->BGColor(), clWhite);
    EXPECT_EQ(badges[0]->objectName(), QStringLiteral("Component1"));
    EXPECT_EQ(badges[1]->objectName(), QStringLiteral("Component2"));
    EXPECT_EQ(badges[1]->ScreenRect(), QRect(20, 40, 120, 30));
}

TEST_F(CalendarDocument, AnUnknownLastObjectEndsTheObjectsQuietly)
{
    TCalendarPanel32 page;
    AddBadge(page, QStringLiteral("one"), 10);
    AddBadge(page, QStringLiteral("two"), 20);
    QByteArray bytes = DocumentBytes(page);
    ASSERT_EQ(bytes.right(1), Bytes({0}));
    bytes.chop(1);
    bytes += QByteArray("TPF0\x0BTQMysteryOb", 16) + Bytes({1, 'X', 0, 0, 0});
    TCalendarPanel32 copy;
    const TDocumentReadInfo info = ReadDocumentBytes(copy, bytes, &copy, BadgeRegistry());
    EXPECT_EQ(info.objectsRead, 2);
    EXPECT_FALSE(info.objectsError.isEmpty());
    ASSERT_EQ(Badges(copy).size(), 2);
    EXPECT_EQ(Badges(copy)[1]->Caption(), QStringLiteral("two"));
}

TEST_F(CalendarDocument, WhatCouldNotBeReadIsReportedAndCellsAreSavedBackUnchanged)
{
    TCalendarPanel32 source;
    AddBadge(source, QStringLiteral("one"), 10);
    AddBadge(source, QStringLiteral("two"), 20);
    QByteArray bytes = DocumentBytes(source);
    // Day cells 3, 9 and 12: cut-off RTF, bytes that are not RTF, and RTF with a picture kind not drawn.
    const QMap<int, QByteArray> damaged{{3, "{\\rtf1 cut {\\b off"},
                                        {9, QByteArray("\x00\x01 not rtf", 10)},
                                        {12, "{\\rtf1 a{\\pict\\wmetafile8 0102}b}"}};
    const qsizetype first = bytes.indexOf(kEmptyDayRecord);
    QByteArray cells;
    for (int cell = 1; cell <= 42; ++cell) {
        const QByteArray rtf = damaged.value(cell);
        if (rtf.isEmpty()) {
            cells += kEmptyDayRecord;
            continue;
        }
        cells += QByteArray("TPF0\x0DTWPRtfStorage", 18) + Bytes({0, 12}) + "RtfText.Data" +
                 Bytes({10, int(rtf.size()), 0, 0, 0}) + rtf + Bytes({0, 0});
    }
    bytes = bytes.left(first) + cells + bytes.mid(first + 42 * kEmptyDayRecord.size());
    // After the two badges: an object of a kind unknown here, then one more badge.
    bytes.chop(1);
    bytes += QByteArray("TPF0\x0BTQMysteryOb", 16) + Bytes({1, 'X', 0, 0}) + QByteArray("TPF0\x0DTDocTestBadge", 18) +
             Bytes({1, 'Y', 0, 0, 0});

    TCalendarPanel32 page;
    const TDocumentReadInfo info = ReadDocumentBytes(page, bytes, &page, BadgeRegistry());
    EXPECT_EQ(info.objectsRead, 2);
    EXPECT_EQ(info.objectsNotRead, 2);
    EXPECT_EQ(info.cellsKept, 3);
    EXPECT_EQ(info.picturesNotShown, 1);
    EXPECT_TRUE(page.HasAnyText());
    EXPECT_EQ(page.CellStorage(3)->PlainText(), QStringLiteral("cut off"));
    EXPECT_EQ(DocumentReadNotice(QStringLiteral("/x/Damaged.QXF"), info),
              QStringLiteral("Not everything in Damaged.QXF could be read.\n"
                             "2 placed objects could not be read; saving the document will drop them.\n"
                             "3 day cells could not be read in full; they are kept as they were and saved "
                             "unchanged unless you edit them.\n"
                             "1 picture is not shown: damaged, of a kind Almarin cannot show, or too large."));
    const TCalendarDocumentContent saved = ParseDocument(DocumentBytes(page), CalendarSettings());
    for (int cell : damaged.keys())
        EXPECT_EQ(saved.cells[cell], damaged[cell]) << cell;

    // A cell that holds only bytes it could not read still counts as text until it is cleared.
    TCalendarPanel32 unreadOnly;
    unreadOnly.CellStorage(9)->SetRtfData(damaged[9]);
    EXPECT_TRUE(unreadOnly.HasAnyText());
    unreadOnly.ClearAllCells();
    EXPECT_FALSE(unreadOnly.HasAnyText());

    TCalendarPanel32 clean;
    EXPECT_TRUE(DocumentReadNotice(QStringLiteral("Clean.QXF"),
                                   ReadDocumentBytes(clean, DocumentBytes(source), &clean, BadgeRegistry()))
                    .isEmpty());
}

TEST_F(CalendarDocument, ValuesOutOfRangeAndUnreadablePicturesKeepEveryObject)
{
    TCalendarPanel32 page;
    auto* label = new TQPLabel(&page);
    label->Loaded();
    label->SetAngle(90);
    auto* calendar = new TQFlatCalendar(&page);
    calendar->Loaded();
    calendar->SetStartOfWeek(2);
    calendar->SetShadowDepth(4);
    TPicture bitmap;
    bitmap.SetBitmap(QImage(40, 30, QImage::Format_RGB32));
    auto* damaged = new TQImage(&page);
    damaged->Loaded();
    damaged->SetPicture(bitmap);
    // Stored larger than its auto-sized picture, as another program may leave it.
    auto* fitted = new TQImage(&page);
    fitted->SetPicture(bitmap);
    fitted->SetStretch(false);
    fitted->SetAutoSize(true);
    fitted->SetScreenRect(QRect(300, 10, 105, 105));
    fitted->Loaded();
    AddBadge(page, QStringLiteral("last"), 10);
    QByteArray bytes = DocumentBytes(page);
    const auto patch = [&bytes](const QByteArray& from, const QByteArray& to) {
        const qsizetype at = bytes.indexOf(from);
        ASSERT_GE(at, 0) << from.toHex().constData();
        bytes.replace(at, from.size(), to);
    };
    patch(QByteArray("\x05"
                     "Angle\x02\x5A"),
          QByteArray("\x05"
                     "Angle\x02\x2D"));
    patch(QByteArray("StartOfWeek\x02\x02"), QByteArray("StartOfWeek\x02\x08"));
    patch(QByteArray("ShadowDepth\x02\x04"), QByteArray("ShadowDepth\x02\x0C"));
    patch(QByteArray("\x07TBitmap"), QByteArray("\x07TBitmaq"));

    TCalendarPanel32 copy;
    const TDocumentReadInfo info = ReadDocumentBytes(copy, bytes, &copy, [] {
        TClassRegistry registry = PlacedObjectClasses();
        registry.Register<TDocTestBadge>();
        return registry;
    }());
    EXPECT_EQ(info.objectsRead, 5);
    EXPECT_EQ(info.objectsNotRead, 0);
    EXPECT_EQ(info.valuesIgnored, QStringList({QStringLiteral("Angle 45"), QStringLiteral("StartOfWeek 8"),
                                               QStringLiteral("ShadowDepth 12")}));
    EXPECT_EQ(info.picturesNotShown, 1);
    const QList<TQGraphicControl*> objects = copy.PlacedObjects();
    ASSERT_EQ(objects.size(), 5);
    EXPECT_EQ(qobject_cast<TQPLabel*>(objects[0])->Angle(), 0);
    EXPECT_EQ(qobject_cast<TQFlatCalendar*>(objects[1])->StartOfWeek(), 1);
    EXPECT_EQ(qobject_cast<TQFlatCalendar*>(objects[1])->ShadowDepth(), 0);
    EXPECT_TRUE(qobject_cast<TQImage*>(objects[2])->Picture().IsEmpty());
    EXPECT_EQ(objects[3]->ScreenRect(), QRect(300, 10, 40, 30));
    EXPECT_EQ(qobject_cast<TDocTestBadge*>(objects[4])->Caption(), QStringLiteral("last"));
    EXPECT_EQ(DocumentReadNotice(QStringLiteral("Odd.QXF"), info),
              QStringLiteral("Not everything in Odd.QXF could be read.\n"
                             "1 picture is not shown: damaged, of a kind Almarin cannot show, or too large.\n"
                             "3 values out of range in placed objects were ignored (the first: Angle 45); the "
                             "objects keep their usual values there."));
    // Saving writes the picture's bytes back as they were.
    EXPECT_TRUE(DocumentBytes(copy).contains(bytes.mid(bytes.indexOf("\x07TBitmaq"), 200)));
}

TEST_F(CalendarDocument, BorderArtNotInstalledKeepsItsNameAndIsReported)
{
    TCalendarPanel32 page;
    page.SetWMFBorderFile(QStringLiteral("Holly"));
    QByteArray bytes = DocumentBytes(page);
    const QByteArray holly = Bytes({6, 5}) + "Holly";
    bytes.replace(bytes.indexOf(holly), holly.size(), Bytes({6, 12}) + "NoSuchBorder");

    TCalendarPanel32 copy;
    const TDocumentReadInfo info = ReadDocumentBytes(copy, bytes, &copy);
    EXPECT_EQ(copy.WMFBorderFile(), QStringLiteral("NoSuchBorder"));
    EXPECT_TRUE(copy.Model().BorderArt().IsEmpty());
    EXPECT_EQ(info.borderArtMissing, QStringLiteral("NoSuchBorder"));
    EXPECT_EQ(DocumentBytes(copy), bytes);
    EXPECT_TRUE(DocumentReadNotice(QStringLiteral("B.QXF"), info)
                    .endsWith(QStringLiteral("The border art \"NoSuchBorder\" is not installed: the page is shown "
                                             "without it, and saving keeps its name.")));
    // The properties dialog works on a copy of the settings, which keeps the name too.
    TCalendarPanel32 example;
    example.Model().CopySettingsFrom(copy.Model());
    copy.Model().CopySettingsFrom(example.Model());
    EXPECT_TRUE(example.Model().SameSettingsAs(copy.Model()));
    EXPECT_EQ(DocumentBytes(copy), bytes);
    // Art that is installed is read as ever.
    EXPECT_TRUE(ReadDocumentBytes(copy, DocumentBytes(page), &copy).Whole());
    EXPECT_FALSE(copy.Model().BorderArt().IsEmpty());
}

TEST_F(CalendarDocument, FilesTooLargeOrWithBytesAfterTheEndAreRefused)
{
    TCalendarPanel32 page;
    const QByteArray bytes = DocumentBytes(page);
    // A page followed by zeros past the cap: refused before it is read (the zeros take no disk space).
    const QString padded = TempFile(QStringLiteral("padded.QXF"));
    QFile out(padded);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    ASSERT_TRUE(out.resize(kMaxDocumentBytes + 1));
    out.close();
    for (const auto& load : {std::function<void()>([&] { LoadFromFile(page, padded, &page); }),
                             std::function<void()>([&] { LoadStyleSheet(page, padded); })}) {
        try {
            load();
            ADD_FAILURE() << "read";
        } catch (const ECalendarFileError& error) {
            EXPECT_TRUE(error.Detail().contains(QStringLiteral("larger than 64 MB"))) << error.what();
        }
    }
    // A pipe has no size to check: it is no document file.
    const QString pipe = TempFile(QStringLiteral("pipe.QXF"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_THROW(ReadDocumentFile(pipe), ECalendarFileError);

    // Bytes after the end of the last component, in every version, make a damaged document.
    for (const QByteArray& whole : {bytes, HandDocument(1), HandDocument(2), HandDocument(3)}) {
        EXPECT_NO_THROW(ParseDocument(whole, CalendarSettings()));
        EXPECT_THROW(ParseDocument(whole + Bytes({0}), CalendarSettings()), EStreamError);
        EXPECT_THROW(ReadDocumentBytes(page, whole + Bytes({0, 0, 0}), &page, BadgeRegistry()), EStreamError);
    }
    EXPECT_TRUE(Badges(page).isEmpty());
}

TEST_F(CalendarDocument, OlderVersionsBuiltByHand)
{
    for (int version = 1; version <= 4; ++version) {
        SCOPED_TRACE(version);
        TCalendarPanel32 page;
        page.SetWMFBorderFile(QStringLiteral("Stars"));
        page.SetUserTitle(QStringLiteral("old title"));
        ReadDocumentBytes(page, HandDocument(version), &page, BadgeRegistry());
        EXPECT_TRUE(page.A4Paper());
        EXPECT_EQ(page.CalendarLayout(), loMC12MonthLS);
        EXPECT_EQ(page.CalendarOrientation(), coLandscape);
        EXPECT_FLOAT_EQ(page.TopMarginInch(), 0.3f);
        EXPECT_EQ(page.GetMonthName(2), QString::fromUtf8("février"));
        EXPECT_EQ(page.GetDayName(7), QStringLiteral("samedi"));
        EXPECT_EQ(page.TitleBGColor(), RGBValue(0, 128, 0));
        EXPECT_EQ(page.TitleFont(), (FontDescription{QStringLiteral("Arial"), 30, fsBold, clNavy}));
        EXPECT_FALSE(page.TitleShowYear());
        EXPECT_EQ(page.HeadersBGColor(), -16);
        EXPECT_EQ(page.HeadersStyle(), dsWhole);
        EXPECT_EQ(page.MiniHeadersFont().color, clWhite);
        EXPECT_EQ(page.NumberPosition(), cnpCenter);
        EXPECT_EQ(page.MainCalDay(), 14);
        EXPECT_EQ(page.MainCalMonth(), 3);
        EXPECT_EQ(page.MainCalYear(), 2003);
        EXPECT_EQ(page.StartOfWeek(), 2);
        EXPECT_DOUBLE_EQ(page.DayStartTime(), 570 / 1440.0);
        EXPECT_EQ(page.CellStorage(15)->PlainText(), QStringLiteral("Payday"));
        EXPECT_EQ(page.WMFBorderFile(), version > 3 ? QStringLiteral("Holly") : QString());
        EXPECT_EQ(page.UserTitle(), version > 1 ? QStringLiteral("Title") : QStringLiteral("old title"));
        const QList<TDocTestBadge*> badges = Badges(page);
        ASSERT_EQ(badges.size(), version > 2 ? 1 : 0);
        if (version > 2) {
            EXPECT_EQ(badges[0]->Left(), 7);
            EXPECT_EQ(badges[0]->BGColor(), clWhite);
        }
    }
}

TEST_F(CalendarDocument, DocumentCutAtEveryLengthFailsCleanly)
{
    TCalendarPanel32 source;
    source.SetUserTitle(QStringLiteral("cut"));
    source.SetWMFBorderFile(QStringLiteral("Holly"));
    SetCellText(source, 5, QStringLiteral("text"), true);
    AddBadge(source, QStringLiteral("a"), 10);
    AddBadge(source, QStringLiteral("b"), 30);
    const QByteArray bytes = DocumentBytes(source);
    TCalendarPanel32 full;
    const qsizetype objects = ReadDocumentBytes(full, bytes, &full, BadgeRegistry()).objectListOffset;
    ASSERT_GT(objects, 0);

    TCalendarPanel32 page;
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        for (TDocTestBadge* badge : Badges(page))
            delete badge;
        if (length < objects) {
            EXPECT_THROW(ReadDocumentBytes(page, bytes.left(length), &page, BadgeRegistry()), EStreamError) << length;
        } else {
            const TDocumentReadInfo info = ReadDocumentBytes(page, bytes.left(length), &page, BadgeRegistry());
            EXPECT_FALSE(info.objectsError.isEmpty()) << length;
            EXPECT_LE(Badges(page).size(), 2);
        }
    }
    // The page is still whole: it lays out, paints and reads a complete document again.
    EXPECT_FALSE(page.RenderToBitmap().isNull());
    ReadDocumentBytes(page, bytes, &page, BadgeRegistry());
    EXPECT_EQ(page.UserTitle(), QStringLiteral("cut"));
}

TEST_F(CalendarDocument, UnreadableFilesRaiseTheOpenError)
{
    const QString file = TempFile(QStringLiteral("short.QXF"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(Bytes({1, 2, 4, 2, 1, 2}));
    out.close();
    TCalendarPanel32 page;
    try {
        LoadFromFile(page, file, &page);
        FAIL() << "no error";
    } catch (const ECalendarFileError& error) {
        EXPECT_EQ(error.FileName(), file);
        EXPECT_FALSE(error.Detail().isEmpty());
    }
    EXPECT_THROW(LoadFromFile(page, TempFile(QStringLiteral("missing.QXF")), &page), ECalendarFileError);
    EXPECT_EQ(UnableToOpenDocumentMessage(QStringLiteral("A.QXF")),
              QStringLiteral("Unable to open A.QXF. Possibly \ncorrupted, possibly not a Calendar file"));
}

TEST_F(CalendarDocument, EnumerationsOutOfRangeAreRefused)
{
    TCalendarPanel32 page;
    QByteArray bytes = DocumentBytes(page);
    // The layout index follows list, version, kind, A4Paper, orientation and four one-byte margins.
    ASSERT_EQ(bytes.at(17), char(2));
    bytes[18] = char(22);
    EXPECT_THROW(ReadDocumentBytes(page, bytes, &page), EStreamError);
    EXPECT_GT(page.PageWidth(), 0);
}

TEST_F(CalendarDocument, StyleSheetCarriesSettingsAndBorderButNotTheDate)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(loMC12Month);
    page.SetMonthName(5, QStringLiteral("Mai"));
    page.SetMainCalYear(2040);
    page.SetWMFBorderFile(QStringLiteral("Holly"));
    SetCellText(page, 3, QStringLiteral("not in a style sheet"));
    const QString file = TempFile(QStringLiteral("style.QXS"));
    SaveStyleSheet(page, file);
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    EXPECT_EQ(bytes.left(5), Bytes({1, 2, 4, 2, 2}));
    EXPECT_EQ(bytes.right(8), Bytes({6, 5}) + "Holly" + Bytes({0}));

    TCalendarPanel32 other;
    other.SetMainCalYear(2001);
    other.SetMainCalMonth(6);
    LoadStyleSheet(other, file);
    EXPECT_EQ(other.CalendarLayout(), loMC12Month);
    EXPECT_EQ(other.GetMonthName(5), QStringLiteral("Mai"));
    EXPECT_EQ(other.WMFBorderFile(), QStringLiteral("Holly"));
    EXPECT_EQ(other.MainCalYear(), 2001);
    EXPECT_EQ(other.MainCalMonth(), 6);
    EXPECT_TRUE(other.CellStorage(3)->IsEmpty());
}

TEST_F(CalendarDocument, DocumentLoadsAsAStyleSheet)
{
    TCalendarPanel32 other;
    other.SetMainCalYear(2001);
    ReadStyleSheetBytes(other.Model(), HandDocument(4));
    EXPECT_EQ(other.CalendarLayout(), loMC12MonthLS);
    EXPECT_EQ(other.WMFBorderFile(), QStringLiteral("Holly"));
    EXPECT_EQ(other.MainCalYear(), 2001);
    EXPECT_TRUE(other.CellStorage(15)->IsEmpty());
    // Before version 4 a style sheet has no border name, and loading it clears the border.
    ReadStyleSheetBytes(other.Model(), HandDocument(3));
    EXPECT_EQ(other.WMFBorderFile(), QString());
}

TEST_F(CalendarDocument, SavingReplacesTheFileWholeOrNotAtAll)
{
    TCalendarPanel32 page;
    const QString file = TempFile(QStringLiteral("keep.QXF"));
    SaveToFile(page, file);
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), DocumentBytes(page));
    in.close();
    EXPECT_THROW(SaveToFile(page, TempFile(QStringLiteral("no/such/folder/x.QXF"))), ECalendarFileError);
    EXPECT_THROW(SaveStyleSheet(page, TempFile(QStringLiteral("no/such/folder/x.QXS"))), ECalendarFileError);
}

#include "test_calendardocument.moc"

namespace {

// Readers of version 4 take versions 1 to 4 only (list, int8 version): they refuse what they cannot read.
bool ReadableByVersionFourReaders(const QByteArray& bytes)
{
    return bytes.size() > 2 && bytes[0] == 1 && bytes[1] == 2 && bytes[2] >= 1 && bytes[2] <= 4;
}

} // namespace

TEST_F(CalendarDocument, WeekNumbersAndMoonPhasesAloneMakeAVersionFiveFile)
{
    TCalendarPanel32 page;
    page.SetWMFBorderFile(QStringLiteral("Holly"));
    SetCellText(page, 9, QStringLiteral("Choir"));
    const QByteArray plainDocument = DocumentBytes(page);
    const QByteArray plainStyleSheet = StyleSheetBytes(page.Model());
    ASSERT_TRUE(ReadableByVersionFourReaders(plainDocument));
    ASSERT_TRUE(ReadableByVersionFourReaders(plainStyleSheet));
    for (const auto& [weeks, moon] : {std::pair{true, false}, {false, true}, {true, true}}) {
        SCOPED_TRACE(::testing::Message() << weeks << moon);
        page.SetShowWeekNumbers(weeks);
        page.SetShowMoonPhases(moon);
        for (const auto& [plain, bytes] :
             {std::pair{plainDocument, DocumentBytes(page)}, {plainStyleSheet, StyleSheetBytes(page.Model())}}) {
            EXPECT_FALSE(ReadableByVersionFourReaders(bytes));
            // Version 5, and the two Booleans right after the border name; all else as before.
            const qsizetype at = plain.indexOf("Holly") + 5;
            QByteArray expected = plain;
            expected[2] = 5;
            expected.insert(at, Bytes({weeks ? 9 : 8, moon ? 9 : 8}));
            EXPECT_EQ(bytes, expected);
        }
        TCalendarPanel32 document;
        ReadDocumentBytes(document, DocumentBytes(page), &document);
        EXPECT_EQ(document.ShowWeekNumbers(), weeks);
        EXPECT_EQ(document.ShowMoonPhases(), moon);
        EXPECT_TRUE(document.CellStorage(9)->PlainText().startsWith(QStringLiteral("Choir")));
        TCalendarPanel32 styled;
        ReadStyleSheetBytes(styled.Model(), StyleSheetBytes(page.Model()));
        EXPECT_EQ(styled.ShowWeekNumbers(), weeks);
        EXPECT_EQ(styled.ShowMoonPhases(), moon);
        // A version-4 file turns both off again.
        ReadDocumentBytes(document, plainDocument, &document);
        ReadStyleSheetBytes(styled.Model(), plainStyleSheet);
        EXPECT_FALSE(document.ShowWeekNumbers() || document.ShowMoonPhases());
        EXPECT_FALSE(styled.ShowWeekNumbers() || styled.ShowMoonPhases());
    }
    page.SetShowWeekNumbers(false);
    page.SetShowMoonPhases(false);
    EXPECT_EQ(DocumentBytes(page), plainDocument);
}
