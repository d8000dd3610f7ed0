// Names the page history's next step after what the user just did: the menu entry chosen (in the window's
// menus and every object's and the page's own), a button of the window, a drag or nudge of the selected
// objects, a cut, paste or delete key on the page. The next press in the window forgets the name, so that
// it never sticks to a later change.
#pragma once

#include <QObject>
#include <QSet>

class QAction;
class QWidget;
class TPageHistory;

class TStepNamer : public QObject
{
    Q_OBJECT
public:
    // Watches the whole application: menus open as windows of their own, and objects build theirs later.
    TStepNamer(QWidget& window, TPageHistory& history);
    ~TStepNamer() override;

    // An entry that is no step of the page (Undo and Redo themselves).
    void Ignore(QAction* action);

    // A menu entry or button caption as a step name: no access-key ampersands, no trailing dots.
    static QString CaptionOf(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inWindow(const QObject* watched) const;
    void watch(QAction* action);

    QWidget& m_window;
    TPageHistory& m_history;
    QSet<const QAction*> m_ignored;
};
