// The calendar page apart from any window: the settings value (the user's title among them), the 42
// day-text storages and the border art, with the page geometry they give and a signal for each kind
// of change. The page widget shows and edits one; documents, export and printing need no widget.
#pragma once

#include "calendarlayout.h"
#include "calendarsettings.h"

#include "calendardraw/calendardrawparams.h"
#include "calendardraw/layoutkind.h"
#include "calendardraw/monthgeometry.h"
#include "graphics/vectorpicture.h"

#include <QObject>

#include <array>
#include <functional>

class TWPRtfStorage;
struct DeviceProfile;

class TCalendarPageModel : public QObject
{
    Q_OBJECT

public:
    explicit TCalendarPageModel(QObject* parent = nullptr);
    ~TCalendarPageModel() override;

    const CalendarSettings& Settings() const { return m_s; }
    // Takes every setting but the border art (set through SetWMFBorderFile) without a signal or a
    // relayout; document loading fills the page this way and relayouts once at the end.
    void SetSettingsQuietly(const CalendarSettings& s);
    // A setting that only changes what the page looks like.
    template <class T> void SetValue(T CalendarSettings::*field, const T& v)
    {
        if (m_s.*field == v)
            return;
        m_s.*field = v;
        emit Changed();
    }
    // A setting that moves the page's parts.
    template <class T> void SetLayoutValue(T CalendarSettings::*field, const T& v)
    {
        if (m_s.*field == v)
            return;
        m_s.*field = v;
        Relayout(false);
    }
    void SetCalendarLayout(TCalendarLayout v);
    void SetCalendarLineLayout(TCalendarLineLayout v);
    void SetMiniCalendarLineLayout(TMiniCalendarLineLayout v);
    // Names: months 1..12, days 1..7 (1 = Sunday); other indexes are ignored. Setting sends no signal.
    QString GetMonthName(int index) const;
    void SetMonthName(int index, const QString& name);
    QString GetDayName(int index) const;
    void SetDayName(int index, const QString& name);
    // A bare name from the Borders folder (its .wpo or .wls file by the orientation); empty for none.
    // A name whose art is missing leaves the page as it was.
    void SetWMFBorderFile(const QString& name);
    // A border name read from a file: art the installation lacks is not drawn, but the name stays, so
    // that saving writes it back.
    void SetStoredWMFBorderFile(const QString& name);
    // The border name is kept while its art is missing.
    bool BorderArtMissing() const { return m_borderArtMissing; }
    const TVectorPicture& BorderArt() const { return m_borderArt; }

    // The page geometry at 96 pixels per inch, from the last relayout.
    const CalendarGeometry& Geometry() const { return m_geometry; }
    // Recomputes the geometry (orientation follows the layout); ResetMiniFonts sizes the mini fonts as
    // the layout suggests.
    void Relayout(bool ResetMiniFonts);
    void ResetToDefaults();
    void CopySettingsFrom(const TCalendarPageModel& other);
    bool SameSettingsAs(const TCalendarPageModel& other) const;

    // The records the drawing routines read, with fonts and the title's least height for the device.
    CalendarDrawParams MainParams(const DeviceProfile& device, TRect rect) const;
    CalendarDrawParams MiniParams(const DeviceProfile& device, const TMiniSlot& slot, TRect rect) const;
    // The main month's or planner's geometry on the device, page rectangles mapped by toDevice; all empty
    // for a layout without one.
    MonthGeometry MainGeometry(const DeviceProfile& device, const std::function<TRect(TRect)>& toDevice) const;
    // The calendar on a device: border art, main drawing, day texts (drawn by the caller into the cell
    // table given), small months.
    void Draw(QPainter& painter, const DeviceProfile& device, const std::function<TRect(TRect)>& toDevice,
              const std::function<void(const MonthGeometry&)>& drawDayTexts) const;
    // The title the page shows (the user's, else the month's or the planner's dates).
    QString PageTitle() const;

    // Day texts belong to cell indexes 1..42, not to dates; null for any other index.
    TWPRtfStorage* CellStorage(int i) const;
    // Copies the text into cell i; other indexes are ignored.
    void SetCellText(int i, const TWPRtfStorage& text);
    void ClearAllCells();
    // A cell holding text, or bytes kept because they could not be read, counts.
    bool HasAnyText() const;

signals:
    // What the page shows changed; its parts stay where they were.
    void Changed();
    // The page's size or parts moved.
    void LayoutChanged();
    // Cell i's text changed (0: every cell's).
    void CellTextChanged(int i);

private:
    void applyBorderFile(const QString& name, bool keepMissing = false);
    void applyLineLayout();
    void applyMiniLineLayout();

    CalendarSettings m_s;
    CalendarGeometry m_geometry;
    TVectorPicture m_borderArt;
    bool m_borderArtMissing = false;
    // Index 0 is the empty template that clearing copies.
    std::array<TWPRtfStorage*, kCellCount + 1> m_storages{};
};
