// The base of every object placed on a design surface: a window-less child widget whose bounds are
// in the surface's zoomed pixels, with its own right-button menu, its change notification and its zoom.
#pragma once

#include "platform/deviceprofile.h"
#include "platform/fontdescription.h"
#include "platform/pagerect.h"
#include "stream/namedcursors.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;
class QPainter;
class TQBasePanel;
class TReportPrinter;

class TQGraphicControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(TCursor Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(bool Unselectable READ Unselectable WRITE SetUnselectable)
    Q_CLASSINFO("default:Tag", "0")
    Q_CLASSINFO("default:Cursor", "crDefault")

public:
    explicit TQGraphicControl(QWidget* parent = nullptr);
    ~TQGraphicControl() override;

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int v) { move(v, y()); }
    void SetTop(int v) { move(x(), v); }
    void SetWidth(int v) { resize(v, height()); }
    void SetHeight(int v) { resize(width(), v); }
    // (Left, Top, Left + Width, Top + Height).
    TRect BoundsRect() const { return TRect::fromQRect(geometry()); }

    int Tag() const { return m_tag; }
    void SetTag(int v) { m_tag = v; }
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor v) { m_cursor = v; }
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& v) { setToolTip(v); }

    // A locked object is not moved or resized by the selection handle.
    bool Locked() const { return m_locked; }
    void SetLocked(bool v);
    // An unselectable object cannot be selected; clicks on it go to the surface.
    bool Unselectable() const { return m_unselectable; }
    void SetUnselectable(bool v);

    // True from construction (or Loading) until Loaded: setters then only store their values and
    // bounds changes are not reported.
    bool IsLoading() const { return m_loading; }
    // The stream runs Loading before it reads the object's properties.
    Q_INVOKABLE void Loading() { m_loading = true; }
    // The object has been created or read: builds the object menu. Kinds add their menu items and
    // rebuild caches after calling the base. The stream runs it after reading; the surface runs it
    // when it first hooks an object created by code.
    Q_INVOKABLE virtual void Loaded();

    // Runs after every change of position or size: one change notification and one deferred refit of
    // the selection handle per distinct bounds.
    virtual void BoundsChanged();
    // The object menu is about to open; kinds set their checks here.
    virtual void PopupOpening();
    // Takes the bounds the next paint would give the object (text kinds fit their text when they lay it
    // out), so that the bounds stored are final. The base keeps them.
    virtual void SettleBounds() {}
    // The surface's "Font" command hands the chosen font to every selected object.
    virtual void ApplyFont(const FontDescription& font);
    // Draws the object on a report, its top-left corner at Left / Top divided by the screen's pixels
    // per inch (at the object's Scale) plus (x, y), all in inches. The base settles the bounds and draws
    // through Draw on a paper profile of the report's resolution.
    virtual void PrintTo(TReportPrinter& report, double x, double y);

    // The one drawing routine of a kind: the object into `target` (its bounds on the device, in the
    // painter's coordinates) on the screen at a zoom or on paper. The base draws nothing.
    virtual void Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device);
    // Draws the object in its own coordinates on screen: settles the bounds, then Draw at the object's
    // Scale.
    virtual void Paint(QPainter& canvas);
    // Paints the object on another canvas with its top-left corner at (x, y), in the object's font.
    void PaintTo(QPainter& canvas, int x, int y);
    // The selection squares, drawn on a canvas in surface coordinates (the handle's paint uses it).
    void DrawSelectionSquares(QPainter& surfaceCanvas) const;

    // Tells the surface about a user-visible change, unless the surface is printing.
    void NotifyChanged();

    float Scale() const { return m_scale; }
    // Scales the bounds by factor / Scale in one step, halves to even.
    virtual void SetScale(float factor);
    // States the zoom the current bounds are at, without changing them (for a copy read from a stream).
    void AssumeScale(float factor) { m_scale = factor; }

    // Copies the object 25 pixels below itself, on top; the copy replaces a selected source in the
    // selection. Returns the copy, or nullptr when it could not be made.
    TQGraphicControl* CloneObject();
    void CenterVertically();
    void CenterHorizontally();

    QMenu* ObjectMenu() const { return m_objectMenu; }
    QAction* LockedMenuItem() const { return m_lockedMenuItem; }
    // Opens the object menu at a screen position (non-blocking).
    void PopupObjectMenu(QPoint globalPos);

    // When set, a double-click on the object runs it (sender: the surface) instead of opening the menu.
    std::function<void(QObject* sender)> DblClickAction;

    // The surface this object lies on, if any.
    TQBasePanel* Surface() const;

    // Whether a value may be stored. A value out of range is ignored (false), so the object keeps what
    // it had; one read from a stream is also noted, so that the reader can tell the user.
    bool AcceptValue(bool valid, const char* property, qint64 value);
    template <class E> static bool IsEnumValue(E v, E last) { return v >= 0 && v <= last; }
    // The values out of range that reading this object ignored, each as "Property value".
    const QStringList& IgnoredValues() const { return m_ignoredValues; }
    // Pictures the object keeps as unreadable bytes and shows as an empty frame. The base has none.
    virtual int PicturesNotShown() const { return 0; }
    // A whole document has been read at zoom 1: the object takes what its stored values imply but
    // reading could not apply (an auto-sized picture its size). The base does nothing.
    virtual void DocumentRead() {}

protected:
    // Notes a value read from a stream that the object could not take.
    void NoteIgnoredValue(const char* property, qint64 value);
    // Where PrintTo puts the object on the report, in device pixels.
    QRect PrintTarget(const TReportPrinter& report, double x, double y) const;

    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void buildObjectMenu();

    QAction* m_lockedMenuItem = nullptr;
    bool m_paintBusy = false;
    float m_scale = 1.0f;
    QMenu* m_objectMenu = nullptr;
    TRect m_lastBounds;
    bool m_locked = false;
    bool m_unselectable = false;
    bool m_loading = true;
    int m_tag = 0;
    TCursor m_cursor = 0;
    QStringList m_ignoredValues;
};
