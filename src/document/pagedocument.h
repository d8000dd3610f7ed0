// A calendar page with its placed objects, whether a window shows it or a job without windows draws it:
// what reading, writing, filling, exporting and printing work on.
#pragma once

#include <QImage>
#include <QList>

class QObject;
class TCalendarPageModel;
class TQGraphicControl;
class TReportPrinter;

class TPageDocument
{
public:
    virtual ~TPageDocument() = default;

    virtual TCalendarPageModel& Model() = 0;
    virtual const TCalendarPageModel& Model() const = 0;
    // What the placed objects are children of, bottom first.
    virtual QObject* ObjectParent() const = 0;
    QList<TQGraphicControl*> Objects() const;
    // The page with its day texts and placed objects at a zoom.
    virtual QImage RenderAt(float zoom) = 0;
    // Draws the page on an open report; the offsets (inches) place the page on the paper.
    virtual void PrintPage(TReportPrinter& report, double xOffset, double yOffset) = 0;
    // While printing, the page on screen keeps what the drawing changes to itself.
    virtual void MarkPrinting(bool) {}
};

// The page of a job without windows: the page model and the placed objects, drawn by the same routines
// as the page on screen.
class TCalendarPage final : public TPageDocument
{
public:
    TCalendarPage();
    ~TCalendarPage() override;

    TCalendarPageModel& Model() override { return *m_model; }
    const TCalendarPageModel& Model() const override { return *m_model; }
    QObject* ObjectParent() const override { return m_objects; }
    QImage RenderAt(float zoom) override;
    void PrintPage(TReportPrinter& report, double xOffset, double yOffset) override;

private:
    QObject* m_objects;
    TCalendarPageModel* m_model;
};
