// The page's undo history: every change of the page becomes one step holding the page before and after
// it, named after what the user did; undo and redo put the page back exactly and keep the zoom, the
// scroll position and the selection.
#pragma once

#include "pagesnapshot.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

class TPageDocument;

class TPageHistory : public QObject
{
    Q_OBJECT
public:
    // At most this many steps are kept, and only as many of the newest as fit in the byte budget (each
    // holds the whole document, pictures and all); the newest is always kept.
    static constexpr int kStepLimit = 100;
    static constexpr qsizetype kDefaultByteBudget = qsizetype(256) * 1024 * 1024;

    TPageHistory(TPageDocument& page, QObject* parent);
    ~TPageHistory() override;

    QUndoStack& Stack() { return m_stack; }

    // The page changed, or is changing: what changed becomes a step once the current event has been
    // handled, so that a command's many notifications make one step.
    void Changed();
    // Names the next step. Consecutive steps with the same non-empty merge key become one.
    void NameNext(const QString& caption, const QString& mergeKey = QString());
    void ForgetName();
    // Makes a step now of whatever was reported as changed.
    void Commit();
    // Makes a step now of whatever differs, under this name; the name given by NameNext stays for later.
    void Record(const QString& caption, const QString& mergeKey = QString());
    // Starts afresh from the page as it is: no steps. `saved` says whether this is the saved state.
    void Reset(bool saved);
    // The page as it is now is the one saved.
    void MarkSaved();
    void Undo();
    void Redo();

    void SetByteBudget(qsizetype bytes) { m_byteBudget = bytes; }

    // Puts the page into the state; used by the steps. The page is changed in place, so a view keeps its
    // zoom and scroll position, and it keeps its selection through the page's rebuilding hooks.
    void Restore(const TPageSnapshot& target);

private:
    void commitAs(const QString& caption, const QString& mergeKey);
    void keepWithinBudget();

    TPageDocument& m_page;
    QUndoStack m_stack;
    // The page as the top of the history knows it.
    TPageSnapshot m_state;
    bool m_ready = false;
    bool m_pending = false;
    bool m_commitPosted = false;
    bool m_restoring = false;
    QString m_nextCaption;
    QString m_nextMergeKey;
    qsizetype m_byteBudget = kDefaultByteBudget;
};
