// The base of every object placed on a page: a plain object of the page whose bounds are in page pixels
// at 100% (a view maps them to its zoom), with its change notification to the page it lies on.
#pragma once

#include "platform/deviceprofile.h"
#include "platform/fontdescription.h"
#include "platform/pagerect.h"
#include "stream/namedcursors.h"

#include <QFont>
#include <QObject>
#include <QRect>
#include <QStringList>

#include <functional>

class QPainter;
class TObjectHost;
class TReportPrinter;

class TQGraphicControl : public QObject
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
    explicit TQGraphicControl(QObject* parent = nullptr);
    ~TQGraphicControl() override;

    // The bounds on the page at 100%, as stored; no zoom ever changes them.
    int Left() const { return m_bounds.x(); }
    int Top() const { return m_bounds.y(); }
    int Width() const { return m_bounds.width(); }
    int Height() const { return m_bounds.height(); }
    void SetLeft(int v) { SetBounds(QRect(v, Top(), Width(), Height())); }
    void SetTop(int v) { SetBounds(QRect(Left(), v, Width(), Height())); }
    void SetWidth(int v) { SetBounds(QRect(Left(), Top(), v, Height())); }
    void SetHeight(int v) { SetBounds(QRect(Left(), Top(), Width(), v)); }
    void resize(int w, int h) { SetBounds(QRect(Left(), Top(), w, h)); }
    QSize size() const { return m_bounds.size(); }
    QRect Bounds() const { return m_bounds; }
    void SetBounds(const QRect& bounds);
    // (Left, Top, Left + Width, Top + Height).
    TRect BoundsRect() const { return TRect::fromQRect(m_bounds); }

    // The bounds on the page's view at its zoom, and their change by the user there: a side the user did
    // not move keeps its stored value, one moved takes the view's value divided by the zoom.
    QRect ScreenRect() const;
    void SetScreenRect(const QRect& r);
    // The zoom of the page the object lies on; 1 off a page.
    float Zoom() const;

    int Tag() const { return m_tag; }
    void SetTag(int v) { m_tag = v; }
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor v) { m_cursor = v; }
    QString Hint() const { return m_hint; }
    void SetHint(const QString& v) { m_hint = v; }
    // The object's own font (a kind that writes text may keep another of its own).
    QFont font() const { return m_font; }
    void setFont(const QFont& font);

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
    // The object has been created or read. Kinds rebuild caches after calling the base. The stream runs
    // it after reading; the surface runs it when it first hooks an object created by code.
    Q_INVOKABLE virtual void Loaded();

    // Runs after every change of position or size: one change notification and one deferred refit of
    // the selection handle per distinct bounds.
    virtual void BoundsChanged();
    // Takes the bounds the next paint would give the object (text kinds fit their text when they lay it
    // out), so that the bounds stored are final. The base keeps them.
    virtual void SettleBounds() {}
    // The surface's "Font" command hands the chosen font to every selected object.
    virtual void ApplyFont(const FontDescription& font);
    // Draws the object on a report, its top-left corner at Left / Top divided by the screen's pixels
    // per inch plus (x, y), all in inches. The base settles the bounds and draws
    // through Draw on a paper profile of the report's resolution.
    virtual void PrintTo(TReportPrinter& report, double x, double y);

    // The one drawing routine of a kind: the object into `target` (its bounds on the device, in the
    // painter's coordinates) on the screen at a zoom or on paper. The base draws nothing.
    virtual void Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device);
    // Draws the object on screen at a zoom into its bounds there: settles the bounds, then Draw.
    virtual void Paint(QPainter& canvas, float zoom);
    // Paints the object at 100% on another canvas with its top-left corner at (x, y).
    void PaintTo(QPainter& canvas, int x, int y);
    // Asks the page to repaint the object (off a page: NeedsRepaint).
    void Repaint();

    // Tells the page about a user-visible change.
    void NotifyChanged();

    // Z-order among the objects of the page.
    void Raise();
    void Lower();

    // Copies the object 25 pixels below itself, on top; the copy replaces a selected source in the
    // selection. Returns the copy, or nullptr when it could not be made.
    TQGraphicControl* CloneObject();
    void CenterVertically();
    void CenterHorizontally();

    // When set, a double-click on the object runs it (sender: the view) instead of opening the menu.
    std::function<void(QObject* sender)> DblClickAction;

    // The page this object lies on, if its parent is one.
    TObjectHost* Host() const;

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

signals:
    // The object's look changed while it lies on no page (a dialog's sample).
    void NeedsRepaint();
    // Locked changed after loading.
    void LockedChanged(bool locked);

protected:
    // Notes a value read from a stream that the object could not take.
    void NoteIgnoredValue(const char* property, qint64 value);
    // Where PrintTo puts the object on the report, in device pixels.
    QRect PrintTarget(const TReportPrinter& report, double x, double y) const;

private:
    bool m_paintBusy = false;
    QRect m_bounds;
    QFont m_font;
    QString m_hint;
    TRect m_lastBounds;
    bool m_locked = false;
    bool m_unselectable = false;
    bool m_loading = true;
    int m_tag = 0;
    TCursor m_cursor = 0;
    QStringList m_ignoredValues;
};

// Bounds at 100% as a surface at the zoom shows them: each value rounded, halves to even.
QRect ZoomedRect(const QRect& bounds, double zoom);
