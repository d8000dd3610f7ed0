// The page of a job without windows: the page model and the placed objects, drawn by the same routines
// as the page on screen.
#pragma once

#include "document/pagedocument.h"

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
