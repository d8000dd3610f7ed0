// The main window's Edit menu: Undo and Redo over the page history, and the history's ties to the
// window (changes, the saved state, the day cell editor's own undo).
#include "calendarmain.h"

#include "document/pagehistory.h"
#include "stepnamer.h"

#include "editor/calendarpanel32.h"
#include "richtext/wprichtext.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>

namespace {

const QKeySequence kUndoKey(Qt::CTRL | Qt::Key_Z);
const QList<QKeySequence> kRedoKeys{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)};

// Inside the open day cell editor the undo keys are the editor's own while it has something to undo or
// redo; in a cell just opened they reach the page.
class EditorKeepsUndoKeys : public QObject
{
public:
    EditorKeepsUndoKeys(TWPRichText* editor, QObject* watched) : QObject(watched), m_editor(editor) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (pressed != kUndoKey && !kRedoKeys.contains(pressed))
            return QObject::eventFilter(watched, event);
        const QTextDocument& text = m_editor->Document();
        const bool editorsOwn = (key->matches(QKeySequence::Undo) && text.isUndoAvailable()) ||
                                (key->matches(QKeySequence::Redo) && text.isRedoAvailable());
        // Claimed, the key goes to the editor; left alone, to the Edit menu (the editor would claim it).
        key->setAccepted(editorsOwn);
        return true;
    }

private:
    TWPRichText* m_editor;
};

} // namespace

void TCalendarMain::setupEditMenu()
{
    m_history = new TPageHistory(*m_page, this);
    auto* namer = new TStepNamer(*this, *m_history);

    auto* edit = new QMenu(QStringLiteral("&Edit"), this);
    menuBar()->insertMenu(m_helpMenu->menuAction(), edit);
    QAction* undo = edit->addAction(QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("mnuUndo"));
    undo->setShortcut(kUndoKey);
    QAction* redo = edit->addAction(QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("mnuRedo"));
    redo->setShortcuts(kRedoKeys);
    namer->Ignore(undo);
    namer->Ignore(redo);
    connect(undo, &QAction::triggered, this, &TCalendarMain::mnuUndoClick);
    connect(redo, &QAction::triggered, this, &TCalendarMain::mnuRedoClick);
    connect(edit, &QMenu::aboutToShow, this, &TCalendarMain::refreshEditMenu);

    QUndoStack& stack = m_history->Stack();
    connect(&stack, &QUndoStack::indexChanged, this, &TCalendarMain::refreshEditMenu);
    connect(&stack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        // Modified follows the history: back at the saved state the document is unchanged again.
        m_modified.Follow(!clean);
        SetButtons();
    });
    for (QObject* editor : {static_cast<QObject*>(m_editor), static_cast<QObject*>(m_editor->viewport())})
        editor->installEventFilter(new EditorKeepsUndoKeys(m_editor, editor));
    refreshEditMenu();
}

void TCalendarMain::pageChanged()
{
    if (m_history)
        m_history->Changed();
}

void TCalendarMain::refreshEditMenu()
{
    const QUndoStack& stack = m_history->Stack();
    // Text typed in the open cell is a step still to come, and the first to undo.
    const bool typing = m_editingCell && m_cellEdited;
    const QString undoText = typing ? m_cellStepCaption : stack.undoText();
    QAction* undo = Action(QStringLiteral("mnuUndo"));
    undo->setEnabled(typing || stack.canUndo());
    undo->setText(undo->isEnabled() ? QStringLiteral("&Undo ") + undoText : QStringLiteral("&Undo"));
    QAction* redo = Action(QStringLiteral("mnuRedo"));
    redo->setEnabled(!typing && stack.canRedo());
    redo->setText(redo->isEnabled() ? QStringLiteral("&Redo ") + stack.redoText() : QStringLiteral("&Redo"));
}

void TCalendarMain::mnuUndoClick()
{
    DoSaveRichtext();
    m_history->Undo();
}

void TCalendarMain::mnuRedoClick()
{
    DoSaveRichtext();
    m_history->Redo();
}
