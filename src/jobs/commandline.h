// Almarin on the command line: a document to open in the window, or a job done without one
// (export to an image, PDF or document; printing; a run of months or several documents to one PDF, to
// images or to one print job; a batch of such jobs; a readable dump; the recurring dates or moon phases of a
// month; a country's public holidays; help; version).
#pragma once

#include <QString>
#include <QStringList>

class QTextStream;
class TCalendarPageModel;

struct TCommandLine
{
    enum class TAction {
        Window,
        Export,
        Thumbnail,
        Dump,
        Print,
        Batch,
        Recurring,
        Moon,
        Holidays,
        Help,
        Version,
        Invalid
    };

    TAction action = TAction::Window;
    // The document to open, export or dump; may be empty for Window. The first of documentFiles.
    QString documentFile;
    // Export and print: the documents, one page each in their order (or one shown in a run of months).
    QStringList documentFiles;
    // Export: the file written, its type by extension. Thumbnail: the PNG written.
    QString outputFile;
    // Thumbnail only: the longer side of the image in pixels.
    int thumbnailSize = 0;
    // Export only: the zoom factor of images (PERCENT / 100).
    double zoom = 1.0;
    // Export: the month to show instead of the document's (0 keeps it), or the first of monthCount
    // months, one page each. Recurring, Moon: the month listed. Holidays: the year listed.
    int month = 0;
    int year = 0;
    int monthCount = 0;
    // Holidays only: the country or region code ("DE", "DE-BY"); empty lists the codes.
    QString holidayPlace;
    // Export only: put every recurring date of the month on its days first.
    bool fill = false;
    // Print only: the queue (empty: the default one) and the copies wanted.
    QString printerName;
    int copies = 1;
    // Export only: an iCalendar file whose events go on the page's days (after the recurring dates).
    QString eventsFile;
    // Batch only: the file of jobs, one a line ("-": standard input).
    QString batchFile;
    // Export, print, thumbnail: page properties set before the job, each NAME=VALUE, in order.
    QStringList pageProperties;
    // Invalid only: what is wrong with the arguments.
    QString error;
};

// The arguments after the program name.
TCommandLine ParseCommandLine(const QStringList& arguments);
QString CommandLineUsage();

// Every setting by name, border, date, start time, the non-empty day cells as plain text, the user title
// and each placed object's stored properties. Raises ECalendarFileError when the file cannot be read.
QString DumpDocument(const QString& fileName);

// Reads one job option at arguments[i] into the command (--month, --fill, --ics, --set), moving i past its
// value. False when arguments[i] is no job option; `error` tells what is wrong with one that is.
bool ParseJobOption(const QStringList& arguments, qsizetype& i, TCommandLine& command, QString* error);

// Sets the page properties the command names; the first that cannot be set is returned as an error.
QString ApplyPageProperties(TCalendarPageModel& page, const TCommandLine& command);

// The month's principal moon phases in local time, "YYYY-MM-DD HH:MM<TAB>new moon" and so on.
QStringList MoonPhaseLines(int year, int month);

// Runs a job that needs no window; output goes to out, one error line to err. Returns the exit status:
// 0 done, 1 the job failed (for a batch: any of its jobs), 2 bad arguments or a recurring dates file that
// cannot be read. Export, print, batch and dump need a QGuiApplication.
int RunCommandLineJob(const TCommandLine& command, QTextStream& out, QTextStream& err);
// Runs a job from main(): creates the application it needs, drawing off screen when no platform is set.
int RunCommandLine(int argc, char** argv, const TCommandLine& command);
