// Where the pages of a many-page job go: one PDF file, one image file per page, or one print job. An
// output that is not finished leaves nothing behind: no file is replaced and no job is sent.
#pragma once

#include <QString>

#include <memory>

class TPageDocument;

class TPageOutput
{
public:
    virtual ~TPageOutput() = default;
    // How many times the job hands over all its pages: copies a printer cannot make itself come as
    // whole sets, one after the other.
    virtual int Passes() const { return 1; }
    // Takes the next page; returns why it cannot, or an empty string.
    virtual QString AddPage(TPageDocument& page) = 0;
    // Writes or sends what was taken; returns why it could not, or an empty string.
    virtual QString Finish() = 0;
};

// One PDF of every page, each on its own paper and in its own orientation, under the title given.
std::unique_ptr<TPageOutput> MakePdfOutput(const QString& fileName, const QString& title);
// One image per page at the zoom, its type by the extension, its name from the pattern (see
// PageImageName). Every image is drawn before the first is written.
std::unique_ptr<TPageOutput> MakeImageOutput(const QString& pattern, double zoom);
// One job on the named print queue (empty: the default one) of every page, the copies collated. Null,
// with the reason, when there is no such printer.
std::unique_ptr<TPageOutput> MakePrinterOutput(const QString& printerName, int copies, const QString& title,
                                               QString* error);

// The name of page `number` (from 1) showing month/year: "{month}" becomes YYYY-MM, "{n}" the number.
QString PageImageName(const QString& pattern, int number, int month, int year);
// Whether a pattern names each page apart.
bool NamesEachPage(const QString& pattern);
