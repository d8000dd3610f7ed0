#include "stepnamer.h"

#include "document/pagehistory.h"

#include "document/qgraphiccontrol.h"
#include "editor/qbasepanel.h"
#include "editor/qhandle.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {

// The selected objects' names, in one order whatever the order of selecting.
QString SelectionKey(const TQHandle& handle)
{
    QStringList names;
    for (const TQGraphicControl* object : handle.Selection())
        names << object->objectName();
    names.sort();
    return names.join(QLatin1Char(','));
}

// The step an arrow key's release applies: a move, or with Shift a resize, merging with the nudges before.
void NameNudge(TPageHistory& history, const TQHandle& handle)
{
    const TRect r = handle.NudgeRect();
    // The nudge outline starts 2 pixels inside the handle on every side.
    const bool resized = r.right - r.left != handle.width() - 5 || r.bottom - r.top != handle.height() - 5;
    const QString caption = resized ? QStringLiteral("Resize") : QStringLiteral("Move");
    history.NameNext(caption, QStringLiteral("Nudge ") + caption + QLatin1Char(' ') + SelectionKey(handle));
}

// The page's own keys that change it.
QString SurfaceKeyCaption(const QKeyEvent& key)
{
    const bool ctrl = key.modifiers() & Qt::ControlModifier;
    if (key.key() == Qt::Key_Delete && !ctrl)
        return QStringLiteral("Delete");
    if (key.key() == Qt::Key_X && ctrl)
        return QStringLiteral("Cut");
    if (key.key() == Qt::Key_V && ctrl)
        return QStringLiteral("Paste");
    return QString();
}

} // namespace

TStepNamer::TStepNamer(QWidget& window, TPageHistory& history) : QObject(&window), m_window(window), m_history(history)
{
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        if (inWindow(menu)) {
            for (QAction* action : menu->actions())
                watch(action);
        }
    }
    qApp->installEventFilter(this);
}

TStepNamer::~TStepNamer()
{
    qApp->removeEventFilter(this);
}

void TStepNamer::Ignore(QAction* action)
{
    m_ignored.insert(action);
}

void TStepNamer::watch(QAction* action)
{
    connect(action, &QAction::triggered, this, [this, action] {
        if (!m_ignored.contains(action) && !action->menu())
            m_history.NameNext(CaptionOf(action->text()));
    });
}

QString TStepNamer::CaptionOf(const QString& text)
{
    QString caption;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // "&&" stands for one ampersand; a single one marks the access key.
        if (text[i] == QLatin1Char('&') && ++i == text.size())
            break;
        caption += text[i];
    }
    caption = caption.trimmed();
    while (caption.endsWith(QLatin1Char('.')))
        caption.chop(1);
    return caption.trimmed();
}

bool TStepNamer::inWindow(const QObject* watched) const
{
    if (!watched->isWidgetType())
        return false;
    // A menu is a window of its own: it belongs where the widget it pops up from does. Menus of dialogs
    // (a text box's own, for one) name no step of the page.
    const auto* widget = static_cast<const QWidget*>(watched);
    while (qobject_cast<const QMenu*>(widget) && widget->parentWidget())
        widget = widget->parentWidget();
    return widget->window() == &m_window;
}

bool TStepNamer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ActionAdded:
        // Menus of objects placed later join as they are built.
        if (qobject_cast<QMenu*>(watched) && inWindow(watched))
            watch(static_cast<QActionEvent*>(event)->action());
        break;
    case QEvent::MouseButtonPress:
        if (inWindow(watched))
            m_history.ForgetName();
        break;
    case QEvent::KeyPress:
        if (inWindow(watched)) {
            m_history.ForgetName();
            const QString caption = SurfaceKeyCaption(*static_cast<QKeyEvent*>(event));
            if (!caption.isEmpty() && (qobject_cast<TQHandle*>(watched) || qobject_cast<TQBasePanel*>(watched)))
                m_history.NameNext(caption);
        }
        break;
    case QEvent::KeyRelease: {
        auto* handle = qobject_cast<TQHandle*>(watched);
        if (handle && handle->KeyNudging() && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            NameNudge(m_history, *handle);
        break;
    }
    case QEvent::MouseButtonRelease:
        if (auto* handle = qobject_cast<TQHandle*>(watched); handle && handle->Dragging()) {
            m_history.NameNext(handle->HitZone() == TQHandle::hzMove ? QStringLiteral("Move")
                                                                     : QStringLiteral("Resize"));
        } else if (auto* button = qobject_cast<QAbstractButton*>(watched); button && inWindow(button)) {
            if (button->isEnabled() && button->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                m_history.NameNext(CaptionOf(button->text()));
        }
        break;
    default:
        break;
    }
    return false;
}
