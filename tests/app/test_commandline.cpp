#include "app/commandline.h"
#include "app/pageexport.h"
#include "document/calendardocument.h"
#include "document/qgraphiccontrol.h"
#include "editor/calendarpanel32.h"
#include "graphics/jpegwriter.h"
#include "recurring/recurringentry.h"
#include "recurring/recurringfile.h"
#include "richtext/wprtfstorage.h"
#include "stream/streamerror.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/resource.h>

// A placed object kind the program does not know: the dump still shows it.
class TCliTestSticker : public TQGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    explicit TCliTestSticker(QObject* parent = nullptr) : TQGraphicControl(parent) {}
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& v) { m_caption = v; }

private:
    QString m_caption;
};

namespace {

struct TRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// `childSetup` runs in the child before the program starts (limits, signals).
TRun RunAlmarin(const QStringList& arguments, const std::function<void()>& childSetup = {})
{
    QProcess process;
    if (childSetup)
        process.setChildProcessModifier(childSetup);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ALMARIN_BINARY), arguments);
    TRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString PdfInfo(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(20000);
    return QString::fromUtf8(info.readAllStandardOutput());
}

class CommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_page.SetCalendarLayout(loFullCalendar);
        m_page.SetLeftMarginInch(0.5f);
        m_page.SetTopMarginInch(0.5f);
        m_page.SetRightMarginInch(0.5f);
        m_page.SetBottomMarginInch(0.5f);
        m_page.SetMonthName(1, QString::fromUtf8("Styczeń"));
        m_page.SetUserTitle(QStringLiteral("Family"));
        m_page.CellStorage(5)->SetRtfData(QByteArray("{\\rtf1\\ansi Dentist}"));
        auto* sticker = new TCliTestSticker(&m_page);
        sticker->setObjectName(QStringLiteral("Component0"));
        sticker->SetScreenRect(QRect(100, 120, 80, 20));
        sticker->SetCaption(QStringLiteral("Hello"));
        SaveToFile(m_page, Document());
    }

    QString Document() const { return m_dir.filePath(QStringLiteral("page.QXF")); }
    QString Out(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    TCalendarPanel32 m_page;
};

} // namespace

TEST(CommandLineArguments, JobsAndTheirOperands)
{
    EXPECT_EQ(ParseCommandLine({}).action, TCommandLine::TAction::Window);
    const TCommandLine open = ParseCommandLine({QStringLiteral("a.QXF")});
    EXPECT_EQ(open.action, TCommandLine::TAction::Window);
    EXPECT_EQ(open.documentFile, QStringLiteral("a.QXF"));

    const TCommandLine exportJob =
        ParseCommandLine({QStringLiteral("--export"), QStringLiteral("o.png"), QStringLiteral("a.QXF"),
                          QStringLiteral("--zoom"), QStringLiteral("50")});
    EXPECT_EQ(exportJob.action, TCommandLine::TAction::Export);
    EXPECT_EQ(exportJob.outputFile, QStringLiteral("o.png"));
    EXPECT_EQ(exportJob.documentFile, QStringLiteral("a.QXF"));
    EXPECT_DOUBLE_EQ(exportJob.zoom, 0.5);
    EXPECT_DOUBLE_EQ(ParseCommandLine({QStringLiteral("--zoom=75"), QStringLiteral("--export"), QStringLiteral("o.bmp"),
                                       QStringLiteral("a.QXF")})
                         .zoom,
                     0.75);
    EXPECT_DOUBLE_EQ(
        ParseCommandLine({QStringLiteral("--export"), QStringLiteral("o.bmp"), QStringLiteral("a.QXF")}).zoom, 1.0);
    EXPECT_DOUBLE_EQ(ParseCommandLine({QStringLiteral("--zoom=600"), QStringLiteral("--export"),
                                       QStringLiteral("o.bmp"), QStringLiteral("a.QXF")})
                         .zoom,
                     6.0);

    const TCommandLine dump = ParseCommandLine({QStringLiteral("--dump"), QStringLiteral("a.QXF")});
    EXPECT_EQ(dump.action, TCommandLine::TAction::Dump);
    EXPECT_EQ(dump.documentFile, QStringLiteral("a.QXF"));
    const TCommandLine recurring = ParseCommandLine({QStringLiteral("--recurring"), QStringLiteral("2027-11")});
    EXPECT_EQ(recurring.action, TCommandLine::TAction::Recurring);
    EXPECT_EQ(recurring.month * 10000 + recurring.year, 112027);
    const TCommandLine year =
        ParseCommandLine({QStringLiteral("--export"), QStringLiteral("o.pdf"), QStringLiteral("a.QXF"),
                          QStringLiteral("--month"), QStringLiteral("2028-01"), QStringLiteral("--fill")});
    EXPECT_EQ(year.action, TCommandLine::TAction::Export);
    EXPECT_EQ(year.month * 10000 + year.year, 12028);
    EXPECT_TRUE(year.fill);
    const TCommandLine print =
        ParseCommandLine({QStringLiteral("--print"), QStringLiteral("a.QXF"), QStringLiteral("--printer"),
                          QStringLiteral("Office"), QStringLiteral("--copies"), QStringLiteral("12")});
    EXPECT_EQ(print.action, TCommandLine::TAction::Print);
    EXPECT_EQ(print.documentFile + print.printerName, QStringLiteral("a.QXFOffice"));
    EXPECT_EQ(print.copies, 12);
    EXPECT_EQ(ParseCommandLine({QStringLiteral("--print"), QStringLiteral("a.QXF")}).copies, 1);
    EXPECT_EQ(ParseCommandLine({QStringLiteral("--help")}).action, TCommandLine::TAction::Help);
    EXPECT_EQ(ParseCommandLine({QStringLiteral("x"), QStringLiteral("--version")}).action,
              TCommandLine::TAction::Version);
}

TEST(CommandLineArguments, MistakesAreNamed)
{
    QList<QStringList> wrong = {
        {QStringLiteral("--export")},
        {QStringLiteral("--export"), QStringLiteral("o.png")},
        {QStringLiteral("--export"), QStringLiteral("--zoom"), QStringLiteral("50"), QStringLiteral("a.QXF")},
        {QStringLiteral("--dump")},
        {QStringLiteral("--dump"), QStringLiteral("a.QXF"), QStringLiteral("b.QXF")},
        {QStringLiteral("--zoom"), QStringLiteral("50"), QStringLiteral("a.QXF")},
        {QStringLiteral("--export"), QStringLiteral("o.png"), QStringLiteral("a.QXF"), QStringLiteral("--zoom"),
         QStringLiteral("0")},
        {QStringLiteral("--export"), QStringLiteral("o.png"), QStringLiteral("a.QXF"), QStringLiteral("--zoom"),
         QStringLiteral("big")},
        {QStringLiteral("--frobnicate")},
        {QStringLiteral("--dump"), QStringLiteral("a.QXF"), QStringLiteral("--export"), QStringLiteral("o.png")},
        {QStringLiteral("--recurring")},
        {QStringLiteral("--recurring"), QStringLiteral("2027-13")},
        {QStringLiteral("--recurring"), QStringLiteral("2027-1")},
        {QStringLiteral("--recurring"), QStringLiteral("2027-11"), QStringLiteral("a.QXF")},
        {QStringLiteral("--recurring"), QStringLiteral("2027-11"), QStringLiteral("--export"), QStringLiteral("o.png"),
         QStringLiteral("a.QXF")},
        {QStringLiteral("--month"), QStringLiteral("2027-11"), QStringLiteral("a.QXF")},
        {QStringLiteral("--fill"), QStringLiteral("a.QXF")},
        {QStringLiteral("--ics"), QStringLiteral("e.ics"), QStringLiteral("a.QXF")},
        {QStringLiteral("--export"), QStringLiteral("o.png"), QStringLiteral("a.QXF"), QStringLiteral("--ics")},
        {QStringLiteral("--export"), QStringLiteral("o.png"), QStringLiteral("a.QXF"), QStringLiteral("--month"),
         QStringLiteral("November")},
    };
    for (const char* copies : {"0", "-1", "1000", "two", "--printer"})
        wrong.append(
            {QStringLiteral("--print"), QStringLiteral("a.QXF"), QStringLiteral("--copies"), QLatin1String(copies)});
    wrong.append({QStringLiteral("--print")});
    wrong.append({QStringLiteral("--print"), QStringLiteral("a.QXF"), QStringLiteral("--printer")});
    wrong.append({QStringLiteral("--export"), QStringLiteral("o.png"), QStringLiteral("a.QXF"),
                  QStringLiteral("--printer"), QStringLiteral("Office")});
    wrong.append({QStringLiteral("--print"), QStringLiteral("a.QXF"), QStringLiteral("--dump")});
    for (const char* zoom : {"nan", "NaN", "inf", "-inf", "1e400", "600.5", "0.99"})
        wrong.append({QStringLiteral("--export"), QStringLiteral("o.png"), QStringLiteral("a.QXF"),
                      QStringLiteral("--zoom"), QLatin1String(zoom)});
    // Page properties: unknown names, values of the wrong kind or out of range, jobs that take none.
    for (const char* assignment :
         {"Nonsense=1", "StartOfWeek=x", "StartOfWeek", "=2", "CalendarLayout=loNothing", "CalendarLayout=22",
          "HeadersStyle=-1", "LeftMarginInch=101", "TopMarginInch=nan", "A4Paper=yes", "MainCalMonth=13",
          "MainCalYear=0", "TitleBGColor=clNoSuchColour", "TitleFont=Arial"})
        wrong.append({QStringLiteral("--set"), QLatin1String(assignment), QStringLiteral("--export"),
                      QStringLiteral("o.png"), QStringLiteral("a.QXF")});
    wrong.append(
        {QStringLiteral("--export"), QStringLiteral("o.png"), QStringLiteral("a.QXF"), QStringLiteral("--set")});
    wrong.append(
        {QStringLiteral("--set"), QStringLiteral("StartOfWeek=2"), QStringLiteral("--dump"), QStringLiteral("a.QXF")});
    wrong.append({QStringLiteral("--fill"), QStringLiteral("--thumbnail"), QStringLiteral("256"),
                  QStringLiteral("a.QXF"), QStringLiteral("o.png")});
    for (const char* month : {"2027-13", "2027"})
        wrong.append({QStringLiteral("--moon"), QLatin1String(month)});
    wrong.append({QStringLiteral("--moon"), QStringLiteral("2027-11"), QStringLiteral("a.QXF")});
    wrong.append(
        {QStringLiteral("--moon"), QStringLiteral("2027-11"), QStringLiteral("--month"), QStringLiteral("2027-12")});
    wrong.append({QStringLiteral("--moon"), QStringLiteral("2027-11"), QStringLiteral("--recurring"),
                  QStringLiteral("2027-11")});
    for (const QStringList& arguments : wrong) {
        const TCommandLine command = ParseCommandLine(arguments);
        EXPECT_EQ(command.action, TCommandLine::TAction::Invalid) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(command.error.isEmpty());
    }
}

TEST(PageExport, MarginRectangleIsTruncatedAndOnePixelSmaller)
{
    EXPECT_EQ(MarginCropRect(QSize(816, 1056), 0.5f, 0.5f, 0.5f, 0.5f, 1.0),
              QRect(48, 48, 816 - 96 - 1, 1056 - 96 - 1));
    // 96 × 0.29 = 27.84 and 96 × 0.25 × 0.5 = 12: margins are truncated, not rounded.
    EXPECT_EQ(MarginCropRect(QSize(408, 528), 0.29f, 0.25f, 0.0f, 1.0f, 0.5),
              QRect(13, 12, 408 - 13 - 1, 528 - 12 - 48 - 1));
    EXPECT_EQ(MarginCropRect(QSize(10, 10), 1.0f, 1.0f, 1.0f, 1.0f, 1.0).size(), QSize(0, 0));
}

TEST_F(CommandLine, ImagesAreThePageInsideItsMarginsPixelForPixel)
{
    const QImage whole = m_page.RenderToBitmap();
    const QSize expected(whole.width() - 48 - 48 - 1, whole.height() - 48 - 48 - 1);
    ASSERT_EQ(ExportPage(m_page, Out(QStringLiteral("page.png")), 1.0), QString());
    const QImage png(Out(QStringLiteral("page.png")));
    EXPECT_EQ(png.size(), expected);
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
              whole.copy(48, 48, expected.width(), expected.height()).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(m_page.Scale(), 1.0f);
}

TEST_F(CommandLine, ExportWritesEveryFormatFromTheRealProgram)
{
    const QSize page(m_page.PageWidth(), m_page.PageHeight());
    const QSize expected(page.width() - 97, page.height() - 97);
    for (const char* name : {"out.bmp", "out.jpg", "out.png", "OUT.JPEG"}) {
        const QString out = Out(QLatin1String(name));
        const TRun run = RunAlmarin({QStringLiteral("--export"), out, Document()});
        EXPECT_EQ(run.exitCode, 0) << name << run.err.toStdString();
        EXPECT_EQ(QImage(out).size(), expected) << name;
    }
    QFile jpeg(Out(QStringLiteral("out.jpg")));
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(jpeg.read(2) == QByteArray("\xFF\xD8"));

    const TRun half = RunAlmarin({QStringLiteral("--export"), Out(QStringLiteral("half.png")), Document(),
                                  QStringLiteral("--zoom"), QStringLiteral("50")});
    EXPECT_EQ(half.exitCode, 0) << half.err.toStdString();
    m_page.SetScale(0.5f);
    EXPECT_EQ(QImage(Out(QStringLiteral("half.png"))).size(), QSize(m_page.width() - 49, m_page.height() - 49));

    const TRun pdf = RunAlmarin({QStringLiteral("--export"), Out(QStringLiteral("out.pdf")), Document()});
    EXPECT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    QFile pdfFile(Out(QStringLiteral("out.pdf")));
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.read(5) == QByteArray("%PDF-"));
    EXPECT_TRUE(PdfInfo(Out(QStringLiteral("out.pdf"))).contains(QStringLiteral("612 x 792 pts")));
    // The PDF is named by the calendar's title.
    EXPECT_TRUE(
        PdfInfo(Out(QStringLiteral("out.pdf"))).contains(QRegularExpression(QStringLiteral("Title: +Family\n"))));

    // A landscape layout prints on a landscape sheet, its day text as text.
    m_page.SetScale(1.0f);
    m_page.SetCalendarLayout(LOFullCalendarLS);
    SaveToFile(m_page, Document());
    ASSERT_EQ(RunAlmarin({QStringLiteral("--export"), Out(QStringLiteral("wide.pdf")), Document()}).exitCode, 0);
    EXPECT_TRUE(PdfInfo(Out(QStringLiteral("wide.pdf"))).contains(QStringLiteral("792 x 612 pts")));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {Out(QStringLiteral("wide.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000));
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral("Dentist")));
}

TEST_F(CommandLine, ExportToADocumentSavesItAgainAsVersionFour)
{
    const QString upgraded = Out(QStringLiteral("upgraded.qxf"));
    const TRun run = RunAlmarin({QStringLiteral("--export"), upgraded,
                                 QStringLiteral(ALMARIN_SOURCE_DIR "/fuzz/corpus/documentreader/version1.qxf")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile saved(upgraded);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes.left(5), QByteArray("\x01\x02\x04\x02\x01", 5));
    TCalendarPanel32 page;
    ReadDocumentBytes(page, bytes, &page);
    EXPECT_EQ(page.MainCalYear(), 2024);
    EXPECT_TRUE(page.CellStorage(5)->PlainText().startsWith(QStringLiteral("Dentist")));
    EXPECT_EQ(bytes, DocumentBytes(page));
}

TEST_F(CommandLine, ExportPrintsRichTextLabelsAsTextAndKeepsThemInADocument)
{
    const QString document = QStringLiteral(ALMARIN_SOURCE_DIR "/fuzz/corpus/documentreader/rich-labels.qxf");
    const QString pdf = Out(QStringLiteral("labels.pdf"));
    const TRun run = RunAlmarin({QStringLiteral("--export"), pdf, document});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* words : {"Bold red", "italic blue", "Centred"})
        EXPECT_TRUE(printed.contains(QLatin1String(words))) << printed.toStdString();
    const QString copy = Out(QStringLiteral("labels.qxf"));
    ASSERT_EQ(RunAlmarin({QStringLiteral("--export"), copy, document}).exitCode, 0);
    const TRun dump = RunAlmarin({QStringLiteral("--dump"), copy});
    EXPECT_EQ(dump.out.count(QStringLiteral("TQPRichBaseLabel")), 2) << dump.out.toStdString();
}

TEST_F(CommandLine, ExportToADocumentRefusesToDropObjectsItCannotRead)
{
    // The program knows no sticker class: saving the document again would lose the sticker.
    const QString copy = Out(QStringLiteral("copy.qxf"));
    const TRun run = RunAlmarin({QStringLiteral("--export"), copy, Document()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot write")));
    EXPECT_FALSE(QFile::exists(copy));
    // An image shows what could be read.
    const TRun image = RunAlmarin({QStringLiteral("--export"), Out(QStringLiteral("ok.png")), Document()});
    EXPECT_EQ(image.exitCode, 0);
    EXPECT_TRUE(image.err.contains(QStringLiteral("warning")));
}

TEST_F(CommandLine, OnlyVersionsOneToFiveAreRead)
{
    ASSERT_EQ(DocumentBytes(m_page).mid(1, 2), QByteArray("\x02\x04"));
    for (const char version : {'\x00', '\x06', '\x7F', '\xFF'}) {
        QByteArray styleSheet = StyleSheetBytes(m_page.Model());
        styleSheet[2] = version;
        QByteArray document = DocumentBytes(m_page);
        document[2] = version;
        TCalendarPanel32 page;
        EXPECT_THROW(ReadStyleSheetBytes(page.Model(), styleSheet), EStreamError) << int(version);
        EXPECT_THROW(ReadDocumentBytes(page, document, &page), EStreamError) << int(version);
        QFile file(Out(QStringLiteral("future.QXF")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(document);
        file.close();
        const TRun dump = RunAlmarin({QStringLiteral("--dump"), file.fileName()});
        EXPECT_EQ(dump.exitCode, 1);
        EXPECT_TRUE(dump.err.contains(QStringLiteral("Unable to open"))) << dump.err.toStdString();
    }
}

TEST_F(CommandLine, DumpShowsWhatWasSaved)
{
    const TRun run = RunAlmarin({QStringLiteral("--dump"), Document()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("Version = 4")));
    EXPECT_TRUE(lines.contains(QStringLiteral("CalendarLayout = loFullCalendar")));
    EXPECT_TRUE(lines.contains(QStringLiteral("LeftMarginInch = 0.5")));
    EXPECT_TRUE(lines.contains(QString::fromUtf8("MonthName1 = \"Styczeń\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("TitleBGColor = clWhite (16777215)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("DayStartTime = 08:00")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Cell5 = \"Dentist\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("UserTitle = \"Family\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("TCliTestSticker Component0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  Left = 100")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  Caption = \"Hello\"")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("Cell6 =")));
}

TEST_F(CommandLine, FailuresGiveOneLineAndAnExitStatus)
{
    const TRun missing = RunAlmarin({QStringLiteral("--dump"), Out(QStringLiteral("none.QXF"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("no such file")));

    QFile bad(Out(QStringLiteral("bad.QXF")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a calendar");
    bad.close();
    const TRun corrupt = RunAlmarin({QStringLiteral("--export"), Out(QStringLiteral("x.png")), bad.fileName()});
    EXPECT_EQ(corrupt.exitCode, 1);
    EXPECT_EQ(corrupt.err.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(corrupt.err.contains(QStringLiteral("Unable to open")));
    EXPECT_FALSE(QFile::exists(Out(QStringLiteral("x.png"))));

    const TRun type = RunAlmarin({QStringLiteral("--export"), Out(QStringLiteral("x.gif")), Document()});
    EXPECT_EQ(type.exitCode, 1);
    EXPECT_TRUE(type.err.contains(QStringLiteral("x.gif")));

    const TRun usage = RunAlmarin({QStringLiteral("--export")});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_EQ(usage.err.count(QLatin1Char('\n')), 1);
}

TEST_F(CommandLine, ThumbnailIsTheWholePageFittedOrNothing)
{
    // A portrait Letter page, 8.5 by 11 inches, fitted into 256 pixels.
    const QString png = Out(QStringLiteral("thumb.png"));
    const TRun run = RunAlmarin({QStringLiteral("--thumbnail"), QStringLiteral("256"), Document(), png});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(198, 256));

    QFile bad(Out(QStringLiteral("bad.QXF")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(DocumentBytes(m_page).left(40));
    bad.close();
    const QString none = Out(QStringLiteral("none.png"));
    EXPECT_EQ(RunAlmarin({QStringLiteral("--thumbnail"), QStringLiteral("256"), bad.fileName(), none}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(none));
    EXPECT_EQ(RunAlmarin({QStringLiteral("--thumbnail"), QStringLiteral("0"), Document(), none}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(CommandLine, AWriteThatFailsLeavesThePreviousFileAndSaysWhy)
{
    // Files may grow to 1 KB only, as on a disk that fills up while writing: every output is larger.
    const auto smallDisk = [] {
        const rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
    };
    const QString document = QStringLiteral(ALMARIN_SOURCE_DIR "/fuzz/corpus/documentreader/version1.qxf");
    const QByteArray previous("the previous file");
    for (const char* name : {"old.pdf", "old.png", "old.bmp", "old.jpg", "old.qxf"}) {
        const QString out = Out(QLatin1String(name));
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(previous);
        file.close();
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        const TRun run = RunAlmarin({QStringLiteral("--export"), out, document}, smallDisk);
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_EQ(run.err.toStdString(),
                  QStringLiteral("almarin: cannot write %1: File too large\n").arg(out).toStdString());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), previous) << name;
        file.close();
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), before) << name;
    }
}

TEST(CommandLineJobs, RecurringDatesOfAMonthAndAYearOfPagesFromOneDocument)
{
    ScratchProgramFolder folder;
    const auto entry = [](const char* event, const char* formula) {
        return MakeEntryLine(QLatin1String(event), QLatin1String(formula));
    };
    ASSERT_TRUE(SaveRecurringDates({entry("Veterans Day", "@1111"), entry("Payday", "$5 7 0"),
                                    entry("Thanksgiving Day", "$3 4 11"), entry("Dinner", "@1125"),
                                    entry("Leap", "@0230"), entry("Christmas Day", "@1225")}));
    const auto run = [](const QStringList& arguments, QString* out, QString* err) {
        QTextStream outStream(out);
        QTextStream errStream(err);
        return RunCommandLineJob(ParseCommandLine(arguments), outStream, errStream);
    };
    QString out, err;
    EXPECT_EQ(run({QStringLiteral("--recurring"), QStringLiteral("2027-11")}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("2027-11-11\tVeterans Day\n2027-11-25\tThanksgiving Day\n2027-11-25\tDinner\n"
                                  "2027-11-30\tPayday\n"));
    out.clear();
    EXPECT_EQ(run({QStringLiteral("--recurring"), QStringLiteral("2028-02")}, &out, &err), 0);
    EXPECT_EQ(out, QStringLiteral("2028-02-29\tPayday\n")) << "February has no 30th";

    TCalendarPanel32 june;
    june.SetCalendarLayout(loFullCalendar);
    june.SetMainCalMonth(6);
    june.SetMainCalYear(2024);
    june.CellStorage(5)->SetRtfData(QByteArray("{\\rtf1\\ansi June note}"));
    const QString document = folder.file(QStringLiteral("template.QXF"));
    SaveToFile(june, document);
    const QString november = folder.file(QStringLiteral("november.qxf"));
    EXPECT_EQ(run({QStringLiteral("--export"), november, document, QStringLiteral("--month"), QStringLiteral("2027-11"),
                   QStringLiteral("--fill")},
                  &out, &err),
              0)
        << err.toStdString();
    TCalendarPanel32 page;
    LoadFromFile(page, november, &page);
    page.RenderToBitmap();
    EXPECT_EQ(page.MainCalMonth() * 10000 + page.MainCalYear(), 112027);
    EXPECT_EQ(page.CellStorage(page.CellOfDay(11))->PlainText(), QStringLiteral("Veterans Day"));
    EXPECT_EQ(page.CellStorage(page.CellOfDay(25))->PlainText(), QStringLiteral("Thanksgiving Day\nDinner"));
    EXPECT_FALSE(page.CellStorage(5)->PlainText().contains(QStringLiteral("June"))) << "another month starts empty";

    ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("QXRECUR.DAX"))));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("QXRECUR.DAX")));
    const QString damagedOut = folder.file(QStringLiteral("damaged.qxf"));
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--recurring"), QStringLiteral("2027-11")},
          QStringList{QStringLiteral("--export"), damagedOut, document, QStringLiteral("--fill")}}) {
        err.clear();
        EXPECT_EQ(run(arguments, &out, &err), 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
        EXPECT_TRUE(err.contains(QStringLiteral("QXRECUR.DAX"))) << err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(damagedOut));
}

TEST_F(CommandLine, RecurringDatesComeFromTheProgramFolderWhereverTheProgramStarts)
{
    // A copy of the program in a folder of its own, started from a folder that holds dates of its own.
    const QString programFolder = Out(QStringLiteral("program"));
    const QString elsewhere = Out(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(programFolder) && QDir().mkpath(elsewhere));
    const QString program = programFolder + QStringLiteral("/almarin");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ALMARIN_BINARY), program));
    const auto writeDates = [](const QString& folder, const char* event) {
        QFile file(folder + QStringLiteral("/QXRECUR.DAX"));
        return file.open(QIODevice::WriteOnly) &&
               file.write(FormatRecurringDateLines({MakeEntryLine(QLatin1String(event), QStringLiteral("@1111"))})) > 0;
    };
    ASSERT_TRUE(writeDates(programFolder, "Program folder day"));
    ASSERT_TRUE(writeDates(elsewhere, "Current folder day"));
    const auto run = [&](const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(elsewhere);
        process.start(program, arguments);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    // The fixture's document holds an object kind the program does not know: it is not exported as a document.
    TCalendarPanel32 plain;
    plain.SetCalendarLayout(loFullCalendar);
    const QString document = Out(QStringLiteral("plain.QXF"));
    SaveToFile(plain, document);
    const QString filled = Out(QStringLiteral("filled.qxf"));
    const QStringList fill{
        QStringLiteral("--export"), filled, document, QStringLiteral("--month"), QStringLiteral("2027-11"),
        QStringLiteral("--fill")};
    EXPECT_EQ(run({QStringLiteral("--recurring"), QStringLiteral("2027-11")}),
              QStringLiteral("2027-11-11\tProgram folder day\n"));
    run(fill);
    EXPECT_TRUE(run({QStringLiteral("--dump"), filled}).contains(QStringLiteral("\"Program folder day\"")));

    // Without a file in the program folder there are no dates, whatever the current folder holds.
    ASSERT_TRUE(QFile::remove(programFolder + QStringLiteral("/QXRECUR.DAX")));
    EXPECT_EQ(run({QStringLiteral("--recurring"), QStringLiteral("2027-11")}), QString());
    run(fill);
    EXPECT_FALSE(run({QStringLiteral("--dump"), filled}).contains(QStringLiteral("folder day")));
}

TEST_F(CommandLine, HostileCalendarsStayWithinTheBudgetOrAreRefused)
{
    const auto calendar = [](const QByteArray& body) {
        return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n") + body + "END:VCALENDAR\r\n";
    };
    const auto zone = [](const QByteArray& id, const QByteArray& start, const QByteArray& rule) {
        return "BEGIN:VTIMEZONE\r\nTZID:" + id + "\r\nBEGIN:STANDARD\r\nDTSTART:" + start + "\r\nRRULE:" + rule +
               "\r\nTZOFFSETFROM:+0000\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    };
    const auto event = [](const QByteArray& start, const QByteArray& rule) {
        return "BEGIN:VEVENT\r\nDTSTART" + start + "\r\nSUMMARY:x\r\n" +
               (rule.isEmpty() ? "" : "RRULE:" + rule + "\r\n") + "END:VEVENT\r\n";
    };
    QByteArray zones, impossible;
    for (int i = 0; i < 2000; ++i) {
        const QByteArray id = "Z" + QByteArray::number(i);
        zones += zone(id, "00010101T000000", "FREQ=DAILY") + event(";TZID=" + id + ":20260310T100000", {});
    }
    for (int i = 0; i < 500; ++i)
        impossible += event(":20000101T100000Z", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30");
    const struct
    {
        const char* name;
        QByteArray bytes;
        int exitCode;
        const char* error;
    } cases[] = {
        {"every second",
         calendar(zone("Tick", "16010101T000000", "FREQ=SECONDLY") + event(";TZID=Tick:20260310T100000", {})), 1,
         "the time zone changes too often"},
        {"many zones", calendar(zones), 1, "the time zone changes too often"},
        {"never", calendar(impossible), 0, ""},
        {"device", {}, 1, "not a regular file"},
    };
    // The budget of any file: five seconds of processor time.
    const auto budget = [] {
        const rlimit limit{5, 6};
        setrlimit(RLIMIT_CPU, &limit);
    };
    for (const auto& c : cases) {
        QString file = QStringLiteral("/dev/zero");
        if (!c.bytes.isEmpty()) {
            file = Out(QLatin1String(c.name) + QStringLiteral(".ics"));
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(c.bytes) == c.bytes.size());
        }
        const TRun run =
            RunAlmarin({QStringLiteral("--export"), Out(QStringLiteral("hostile.png")), Document(),
                        QStringLiteral("--month"), QStringLiteral("2026-03"), QStringLiteral("--ics"), file},
                       budget);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(c.error))) << c.name << ": " << run.err.toStdString();
    }
}

// A page saved without placed objects, so that saving it again loses nothing.
TEST_F(CommandLine, SetPagePropertiesBeforeTheJob)
{
    TCalendarPanel32 plain;
    plain.SetCalendarLayout(loFullCalendar);
    const QString source = Out(QStringLiteral("plain.QXF"));
    SaveToFile(plain, source);
    const QString copy = Out(QStringLiteral("copy.qxf"));
    const TRun run = RunAlmarin({QStringLiteral("--set"), QStringLiteral("StartOfWeek=2"), QStringLiteral("--export"),
                                 copy, source, QStringLiteral("--set"), QStringLiteral("ShowWeekNumbers=True"),
                                 QStringLiteral("--set"), QStringLiteral("CalendarLayout=loFCMinisInTitleLS"),
                                 QStringLiteral("--set"), QStringLiteral("A4Paper=True")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    TCalendarPanel32 page;
    ASSERT_NO_THROW(LoadFromFile(page, copy, &page));
    EXPECT_EQ(page.StartOfWeek(), 2);
    EXPECT_TRUE(page.ShowWeekNumbers());
    EXPECT_FALSE(page.ShowMoonPhases());
    EXPECT_EQ(page.CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(page.CalendarOrientation(), coLandscape);
    EXPECT_TRUE(page.A4Paper());
    const TRun dump = RunAlmarin({QStringLiteral("--dump"), copy});
    EXPECT_TRUE(dump.out.split(QLatin1Char('\n')).contains(QStringLiteral("ShowWeekNumbers = True")));

    const QString png = Out(QStringLiteral("thumb.png"));
    EXPECT_EQ(RunAlmarin({QStringLiteral("--set"), QStringLiteral("A4Paper=True"), QStringLiteral("--thumbnail"),
                          QStringLiteral("256"), source, png})
                  .exitCode,
              0);
    EXPECT_EQ(QImage(png).size(), QSize(181, 256)); // A4 portrait, 8.27 by 11.69 inches

    const QString none = Out(QStringLiteral("none.png"));
    for (const char* wrong : {"Nonsense=1", "StartOfWeek=x"}) {
        const TRun refused =
            RunAlmarin({QStringLiteral("--set"), QLatin1String(wrong), QStringLiteral("--export"), none, source});
        EXPECT_EQ(refused.exitCode, 2) << wrong;
        EXPECT_EQ(refused.err.count(QLatin1Char('\n')), 1) << refused.err.toStdString();
        EXPECT_FALSE(QFile::exists(none));
    }
}

// The month's phases in time order, in local time (here Universal Time).
TEST(CommandLineJobs, MoonPhasesOfAMonth)
{
    const bool had = qEnvironmentVariableIsSet("TZ");
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "UTC");
    const TRun run = RunAlmarin({QStringLiteral("--moon"), QStringLiteral("2024-01")});
    had ? qputenv("TZ", zone) : qunsetenv("TZ");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("2024-01-04 03:30\tlast quarter\n2024-01-11 11:57\tnew moon\n"
                                      "2024-01-18 03:53\tfirst quarter\n2024-01-25 17:54\tfull moon\n"));
}

TEST(CommandLineJobs, HelpAndVersion)
{
    const TRun help = RunAlmarin({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--export OUT FILE.QXF")));
    const TRun version = RunAlmarin({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("Almarin " ALMARIN_VERSION_TEXT "\n"));
}

TEST(JpegWriter, EncodesColourAtFullQuality)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 60));
    const QByteArray bytes = EncodeJpeg(image);
    ASSERT_TRUE(bytes.startsWith("\xFF\xD8"));
    const QImage decoded = QImage::fromData(bytes, "JPEG");
    ASSERT_EQ(decoded.size(), image.size());
    const QColor centre = decoded.pixelColor(20, 15);
    EXPECT_NEAR(centre.red(), 200, 3);
    EXPECT_NEAR(centre.green(), 30, 3);
    EXPECT_NEAR(centre.blue(), 60, 3);
    EXPECT_TRUE(EncodeJpeg(QImage()).isEmpty());
    EXPECT_TRUE(WriteJpegFile(image, QStringLiteral("/nonexistent-folder/x.jpg")).contains(QStringLiteral("No such")));
}

#include "test_commandline.moc"
