// The design surface: the sheet of paper on which placed objects lie. It paints the paper, runs the
// rubber band that selects objects or drags out a new one, owns the selection handle and the surface
// menu, cuts, copies and pastes objects through a scratch file, shows itself and its objects at a zoom, and
// tells its owner about changes.
#pragma once

#include "document/objecthost.h"
#include "platform/fontdescription.h"
#include "platform/pagerect.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QMenu;
class QKeyEvent;
class TClassRegistry;
class TQGraphicControl;
class TQHandle;
class TReportPrinter;

enum TClipboardCommand { ccCut, ccCopy, ccPaste, ccDelete };

class TQBasePanel : public QWidget, public TObjectHost
{
    Q_OBJECT
    Q_PROPERTY(bool Pointing READ Pointing WRITE SetPointing)
    Q_PROPERTY(bool DrawOutline READ DrawOutline WRITE SetDrawOutline)
    Q_PROPERTY(bool Printing READ Printing WRITE SetPrinting)
    Q_PROPERTY(TLabelShapeType Shape READ Shape WRITE SetShape)
    Q_PROPERTY(TGridSize GridSize READ GridSize WRITE SetGridSize)
    Q_PROPERTY(bool ShowGrid READ ShowGrid WRITE SetShowGrid)
    Q_PROPERTY(bool SnapToGrid READ SnapToGrid WRITE SetSnapToGrid)

public:
    enum TLabelShapeType { lsRectangle, lsRoundRect, lsEllipse };
    Q_ENUM(TLabelShapeType)
    enum TGridSize { gs4x4, gs8x8 };
    Q_ENUM(TGridSize)

    explicit TQBasePanel(QWidget* parent = nullptr);
    ~TQBasePanel() override;

    // The page's own font: where the Font command's dialog starts, and the face of a new label. A face
    // with a name of its own (not the desktop's alias) goes into documents, so that they read alike
    // elsewhere.
    static FontDescription SurfaceFont();

    bool Pointing() const { return m_pointing; }
    void SetPointing(bool v) { m_pointing = v; }
    bool DrawOutline() const { return m_drawOutline; }
    void SetDrawOutline(bool v);
    bool Printing() const { return m_printing; }
    void SetPrinting(bool v) { m_printing = v; }
    TLabelShapeType Shape() const { return m_shape; }
    void SetShape(TLabelShapeType v);
    TGridSize GridSize() const { return m_gridSize; }
    void SetGridSize(TGridSize v);
    bool ShowGrid() const { return m_showGrid; }
    void SetShowGrid(bool v);
    bool SnapToGrid() const { return m_snapToGrid; }
    void SetSnapToGrid(bool v);
    // Background pictures, stretched over the paper inside its shape.
    void SetPicture(const QImage& picture);
    void SetColorPicture(const QImage& picture);

    // Zoom factor of the surface (1 = 100%); the objects keep their bounds at 100%.
    float Scale() const override { return m_scale; }
    // The surface's size at 100%, in which objects are placed.
    QSize PageSize() const override;
    virtual void SetScale(float factor);

    // Holds one of the surface's pauses (painting, or change notification) while it lives, and gives
    // the pause back as it found it, so that pauses nest.
    class TSuspension
    {
    public:
        ~TSuspension() { m_flag = m_before; }
        TSuspension(const TSuspension&) = delete;
        TSuspension& operator=(const TSuspension&) = delete;

    private:
        friend class TQBasePanel;
        explicit TSuspension(bool& flag) : m_flag(flag), m_before(flag) { m_flag = true; }
        bool& m_flag;
        bool m_before;
    };
    // While held, the surface and its objects do not paint.
    [[nodiscard]] TSuspension SuspendPainting() { return TSuspension(m_paintSuspended); }
    bool PaintingSuspended() const { return m_paintSuspended; }
    // While held, no change notification is raised.
    [[nodiscard]] TSuspension SuspendNotifications() { return TSuspension(m_notifySuspended); }
    bool NotificationsSuspended() const { return m_notifySuspended; }
    // The same pause for a caller that cannot hold a scope: holds nest, and the last release puts the
    // pause back as the first hold found it.
    void HoldNotifications(bool hold);

    bool BandActive() const { return m_bandActive; }
    TRect BandRect() const { return m_bandRect; }

    // The scratch file of the object clipboard, shared by every surface of the program.
    const QString& ClipboardFile() const { return m_clipboardFile; }
    void SetClipboardFile(const QString& file) { m_clipboardFile = file; }
    // Only the owning surface (the main window's page) removes the scratch files when destroyed;
    // preview pages and copies come and go while the clipboard must stay.
    bool OwnsScratchFiles() const { return m_ownsScratchFiles; }
    void SetOwnsScratchFiles(bool owns) { m_ownsScratchFiles = owns; }
    // The next paste is taken even within a second of the last one.
    void ForgetLastPaste() { m_lastPasteTime = 0; }

    // The one selection handle and the surface's right-button menu.
    TQHandle* SelectionHandle() const { return m_handle; }
    QMenu* SurfaceMenu() const { return m_surfaceMenu; }

    // Puts a newly created object on the surface in r (surface pixels at the zoom, at least 10 × 15),
    // named "SpecialN".
    void PlaceObject(TQGraphicControl* object, TRect r);
    // The prefix followed by the first number 1..1000 that no component of the owner bears; empty when none is free.
    QString UniqueName(const QString& prefix) const;
    // Ends the loading of an object created by code.
    void HookObject(TQGraphicControl* object);
    // Hooks every placed object and repaints (after reading a document, pasting, cloning).
    void HookAllObjects();
    // Frees every placed object, last to first.
    void ClearObjects();
    // Whether some placed object's bounds contain the point (surface coordinates).
    bool HasObjectAt(int x, int y) const;
    // The topmost placed object whose bounds on the surface contain the point, or nullptr.
    TQGraphicControl* ObjectAt(QPoint p) const;
    QList<TQGraphicControl*> PlacedObjects() const;
    // Every placed object meeting `area` (all of them when it is null), bottom first, painted at its place
    // at the surface's zoom (on screen and in an exported image of the page).
    void PaintObjects(QPainter& canvas, const QRect& area = QRect());
    // Every placed object printed at its place on a report, the surface's corner at (x, y) inches.
    void PrintObjects(TReportPrinter& report, double x, double y);
    // The owner whose components must bear distinct names: the top-level window.
    QObject* Owner() const;

    // Raises LabelChangedEvent unless suspended.
    void NotifyChange();
    // Asks for the handle to be refitted around the selection once pending events have run.
    void PostRefitSelection();
    Q_INVOKABLE void RefitSelection();

    // Selects the placed objects meeting r, last child first; with shift the band toggles them
    // against the current selection.
    void SelectInRect(TRect r, bool shift);
    // Cut, copy, paste or delete the selection through ClipboardFile. A paste within a second of the
    // last accepted one is dropped; pasted objects lie 15 pixels right and down and are not selected.
    void SelectionClipboard(TClipboardCommand command);
    // The same from an object's own menu: the whole selection when the object is selected, else the
    // object alone (paste without the time check).
    void ObjectClipboard(TQGraphicControl* object, TClipboardCommand command);
    // A copy of the object through the component stream, named "ComponentN", at the same place, on top.
    TQGraphicControl* CloneComponent(TQGraphicControl* object);
    // The object's "Clone": a copy 25 pixels below it, on top, in the selection in its place if it is
    // selected.
    TQGraphicControl* CopyObject(TQGraphicControl& object) override;

    // What the objects tell the surface: repaint; raise LabelChangedEvent unless printing; refit the
    // handle; leave the selection.
    void ObjectNeedsRepaint(TQGraphicControl& object) override;
    void ObjectChanged(TQGraphicControl& object) override;
    void ObjectMoved(TQGraphicControl& object) override;
    void ObjectWithdrawn(TQGraphicControl& object) override;
    // The "Font" command after its dialog: every selected object gets the font; repaint.
    void ApplyFontToSelection(const FontDescription& font);

    // The classes the clipboard and clones can create: the placed object kinds of documents.
    static TClassRegistry& ObjectClasses();

    // The drag or nudge outline of the handle, painted over everything; nullopt removes it.
    void SetDragOutline(std::optional<TRect> outline);
    std::optional<TRect> DragOutline() const { return m_dragOutline; }

    // Events of the handle, in surface coordinates.
    void HandleMouseDown(QPoint p, Qt::KeyboardModifiers modifiers);
    void HandleMouseMove(QPoint p);
    void HandleMouseUp(QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void DoubleClickFromHandle(QPoint p, QPoint globalPos);
    // The surface's keys (Ctrl+C, Ctrl+V, Ctrl+X, Delete), also reached from the handle.
    virtual void KeyDown(QKeyEvent* event);

    // A rectangle was dragged out in tool mode; true when an object was placed. The base places none.
    virtual bool DropObject(TRect r);

signals:
    // After every band dragged in tool mode; `placed` says whether an object came of it.
    void DroppedObjectEvent(TRect r, bool placed);
    void LabelChangedEvent(QObject* sender);
    void OnDblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // The paper: white, the pictures clipped to Shape, the outline and the dot grid.
    void PaintPaper(QPainter& painter, const QRect& area) const;
    // The dotted rubber band over everything the surface drew.
    void PaintBand(QPainter& painter) const;

    // A placed object was pressed (the event in surface coordinates).
    virtual void ObjectMouseDown(TQGraphicControl* object, QMouseEvent* event);
    bool event(QEvent* event) override;
    // The surface's own cursor, away from placed objects.
    virtual void ShowSurfaceCursor();

private:
    void bandPress(QPoint p, Qt::MouseButton button);
    void bandMove(QPoint p);
    void bandRelease(QPoint p, Qt::KeyboardModifiers modifiers);
    QPainterPath shapePath() const;
    void buildSurfaceMenu();
    void enableSurfaceMenu();
    void chooseFont();
    void alignSelection(int command);
    void freeObject(TQGraphicControl* object);
    void updateObjectCursor(QPoint p);
    void pasteFromFile();

    float m_scale = 1.0f;
    bool m_paintSuspended = false;
    bool m_notifySuspended = false;
    int m_notifyHolds = 0;
    bool m_notifyBeforeHolds = false;
    QString m_clipboardFile;
    QString m_tempFile;
    // Tick count of the last accepted paste; 0 before the first.
    qint64 m_lastPasteTime = 0;
    bool m_pointing = true;
    bool m_drawOutline = false;
    bool m_printing = false;
    TLabelShapeType m_shape = lsRoundRect;
    TGridSize m_gridSize = gs4x4;
    bool m_showGrid = false;
    bool m_snapToGrid = false;
    QImage m_picture;
    QImage m_colorPicture;
    bool m_bandActive = false;
    TRect m_bandRect;
    TQHandle* m_handle = nullptr;
    QMenu* m_surfaceMenu = nullptr;
    QWidget* m_outlineOverlay = nullptr;
    std::optional<TRect> m_dragOutline;
    FontDescription m_lastFont;
    bool m_ownsScratchFiles = false;
    bool m_cursorOverObject = false;
};

// Draws a dotted band like the rectangle (left, top)–(right, bottom), right and bottom just outside,
// corners in any order.
void DrawBand(QPainter& painter, TRect r);

// The surface an object lies on, if any, and the window the object's dialogs belong to.
TQBasePanel* SurfaceOf(const TQGraphicControl& object);
QWidget* WindowOf(const TQGraphicControl& object);
