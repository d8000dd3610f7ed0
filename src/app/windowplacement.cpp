#include "windowplacement.h"

#include "platform/centerform.h"
#include "platform/inifile.h"
#include "platform/programfolder.h"
#include "platform/rounding.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QToolTip>
#include <QWidget>

namespace {

class HintFilter : public QObject
{
public:
    using QObject::QObject;
    bool enabled = true;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!enabled && event->type() == QEvent::ToolTip)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

QPointer<HintFilter>& hintFilter()
{
    static QPointer<HintFilter> filter;
    return filter;
}

// The window system's frame around the form, as far as it is known yet; a form not on the screen
// has none.
QMargins frameMargins(const QWidget* form)
{
    if (!form->isVisible())
        return {};
    const QRect outer = form->frameGeometry();
    const QRect inner = form->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// Gives the form the frame rectangle; returns false when the frame is not known yet, in which case
// the rectangle went to the inner area.
bool setFrameGeometry(QWidget* form, const QRect& frame)
{
    const QMargins margins = frameMargins(form);
    form->setGeometry(frame.marginsRemoved(margins));
    return !margins.isNull();
}

// A window shown a moment ago gets its frame from the window manager later; by its first paint the
// frame is known, and the stored frame rectangle is set again, now exactly.
class FrameFitter : public QObject
{
public:
    FrameFitter(QWidget* form, const QRect& frame) : QObject(form), m_frame(frame) { form->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            auto* form = static_cast<QWidget*>(watched);
            if (form->geometry() == m_frame)
                setFrameGeometry(form, m_frame);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QRect m_frame;
};

} // namespace

PlacementScreen ScreenOf(const QWidget* form)
{
    QScreen* screen = form && form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {QRect(0, 0, 1024, 768), 96};
    return {screen->geometry(), RoundHalfEven(screen->logicalDotsPerInch())};
}

QString PlacementSection(const QWidget* form, int logicalDpi)
{
    QString section = QString::fromLatin1(form->metaObject()->className()) + QStringLiteral("_Placement");
    if (logicalDpi > 96)
        section += QString::number(logicalDpi);
    return section;
}

void RestorePlacement(QWidget* form)
{
    RestorePlacement(form, ScreenOf(form));
}

void RestorePlacement(QWidget* form, const PlacementScreen& screen)
{
    if (!form)
        return;
    const TIniFile ini(SettingsFileName());
    const QString section = PlacementSection(form, screen.logicalDpi);
    int left = ini.ReadInteger(section, QStringLiteral("Left"), 0);
    int top = ini.ReadInteger(section, QStringLiteral("Top"), 0);
    int right = ini.ReadInteger(section, QStringLiteral("Right"), 0);
    int bottom = ini.ReadInteger(section, QStringLiteral("Bottom"), 0);
    if (ini.ReadBool(section, QStringLiteral("Maximized"), form->isMaximized())) {
        form->setWindowState(form->windowState() | Qt::WindowMaximized);
        return;
    }
    // Nothing stored, or a rectangle without area that would leave the window out of reach.
    const bool stored = bottom != 0 && right > left && bottom > top;
    if (!stored) {
        CenterForm(form);
        const QRect bounds = form->geometry().marginsAdded(frameMargins(form));
        left = bounds.left();
        top = bounds.top();
        right = bounds.left() + bounds.width();
        bottom = bounds.top() + bounds.height();
    }
    const QRect area = screen.geometry;
    const int areaRight = area.left() + area.width();
    const int areaBottom = area.top() + area.height();
    if (right > areaRight) {
        left += areaRight - right;
        right = areaRight;
    }
    if (left < area.left()) {
        right += area.left() + 1 - left;
        left = area.left() + 1;
    }
    if (bottom > areaBottom) {
        top += areaBottom - bottom;
        bottom = areaBottom;
    }
    if (top < area.top()) {
        bottom += area.top() + 1 - top;
        top = area.top() + 1;
    }
    // The stored rectangle is the frame's, so that the title bar stays on the screen.
    const QRect frame(left, top, right - left, bottom - top);
    if (!setFrameGeometry(form, frame) && stored && form->isVisible())
        new FrameFitter(form, frame);
}

bool HasStoredPlacement(const QWidget* form)
{
    const TIniFile ini(SettingsFileName());
    const QString section = PlacementSection(form, ScreenOf(form).logicalDpi);
    const int left = ini.ReadInteger(section, QStringLiteral("Left"), 0);
    const int top = ini.ReadInteger(section, QStringLiteral("Top"), 0);
    const int right = ini.ReadInteger(section, QStringLiteral("Right"), 0);
    const int bottom = ini.ReadInteger(section, QStringLiteral("Bottom"), 0);
    return ini.ReadBool(section, QStringLiteral("Maximized"), false) || (bottom != 0 && right > left && bottom > top);
}

bool SavePlacement(QWidget* form)
{
    return SavePlacement(form, ScreenOf(form));
}

bool SavePlacement(QWidget* form, const PlacementScreen& screen)
{
    if (!form)
        return false;
    const bool maximized = form->isMaximized();
    QRect bounds = form->geometry();
    if (form->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) {
        if (form->normalGeometry().isValid())
            bounds = form->normalGeometry();
    }
    bounds = bounds.marginsAdded(frameMargins(form));
    TIniFile ini(SettingsFileName());
    const QString section = PlacementSection(form, screen.logicalDpi);
    bool ok = ini.WriteInteger(section, QStringLiteral("Left"), bounds.left());
    ok &= ini.WriteInteger(section, QStringLiteral("Top"), bounds.top());
    ok &= ini.WriteInteger(section, QStringLiteral("Right"), bounds.left() + bounds.width());
    ok &= ini.WriteInteger(section, QStringLiteral("Bottom"), bounds.top() + bounds.height());
    ok &= ini.WriteBool(section, QStringLiteral("Maximized"), maximized);
    return ok;
}

void SetHintsEnabled(bool enabled)
{
    QPointer<HintFilter>& filter = hintFilter();
    if (!filter && QCoreApplication::instance()) {
        filter = new HintFilter(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
    }
    if (filter)
        filter->enabled = enabled;
    if (!enabled)
        QToolTip::hideText();
}

bool HintsEnabled()
{
    return !hintFilter() || hintFilter()->enabled;
}
