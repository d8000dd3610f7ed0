#include "surfacetesting.h"

#include "editor/qhandle.h"
#include "editor/tickcount.h"

#include "stream/classregistry.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot grab the mouse or keyboard at the window level; the widget-level
// grabs the surface relies on work all the same, so these notices are only noise.
void quietPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
    else
        fprintf(stderr, "%s\n", qPrintable(message));
}

const bool noticesFiltered = [] {
    previousHandler = qInstallMessageHandler(quietPlatformNotices);
    return true;
}();

} // namespace

FakeClock::FakeClock()
{
    SetTickCountSource([this] { return m_now; });
}

FakeClock::~FakeClock()
{
    SetTickCountSource({});
}

SurfaceWindow::SurfaceWindow()
{
    TQBasePanel::ObjectClasses().Register<TTestBox>();
    window.resize(600, 400);
    surface = new TQBasePanel(&window);
    surface->setGeometry(0, 0, 600, 400);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        ADD_FAILURE() << "the surface window was not shown";
}

SurfaceWindow::~SurfaceWindow()
{
    // Popups opened by a test must not outlive it.
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

TTestBox* SurfaceWindow::AddBox(int left, int top, int width, int height)
{
    auto* box = new TTestBox;
    surface->PlaceObject(box, {left, top, left + width, top + height});
    box->SetScreenRect(QRect(left, top, width, height));
    QCoreApplication::processEvents();
    return box;
}

TQHandle* SurfaceWindow::Select(std::initializer_list<TQGraphicControl*> objects)
{
    TQHandle* handle = surface->SelectionHandle();
    for (TQGraphicControl* object : objects)
        handle->Select(object);
    return handle;
}

namespace {

QWindow* windowOf(TQBasePanel* surface)
{
    return surface->window()->windowHandle();
}

QPoint inWindow(TQBasePanel* surface, QPoint p)
{
    return surface->mapTo(surface->window(), p);
}

} // namespace

void Press(TQBasePanel* surface, QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QTest::mousePress(windowOf(surface), button, modifiers, inWindow(surface, p));
}

void Move(TQBasePanel* surface, QPoint p)
{
    QTest::mouseMove(windowOf(surface), inWindow(surface, p));
}

void Release(TQBasePanel* surface, QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseRelease(windowOf(surface), button, modifiers, inWindow(surface, p));
    // The next press is a new click, not the second half of a double-click.
    QTest::lastMouseTimestamp += 1000;
}

void PrintTo(const QRect& r, std::ostream* out)
{
    *out << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}

QStringList Texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromLatin1(item));
    return list;
}

QAction* MenuItem(QMenu* menu, const QString& caption)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

void RefreshMenu(QMenu* menu)
{
    menu->popup(QPoint(0, 0));
    menu->close();
}
