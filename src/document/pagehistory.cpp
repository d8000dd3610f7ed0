#include "pagehistory.h"

#include "pagedocument.h"

#include <QSignalBlocker>
#include <QUndoCommand>

#include <memory>
#include <vector>

namespace {

// A step with no name of its own: a change made without a menu entry, a button or a drag.
const char* const kUnnamedStep = "Change";

// Steps that may merge share one id; their merge keys decide.
constexpr int kMergeableStep = 1;

class TPageStep : public QUndoCommand
{
public:
    TPageStep(TPageHistory& history, const QString& caption, const QString& mergeKey, TPageSnapshot before,
              TPageSnapshot after)
        : QUndoCommand(caption), m_history(history), m_mergeKey(mergeKey), m_before(std::move(before)),
          m_after(std::move(after))
    {
    }
    int id() const override { return m_mergeKey.isEmpty() ? -1 : kMergeableStep; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const TPageStep*>(other);
        if (next->m_mergeKey != m_mergeKey)
            return false;
        m_after = next->m_after;
        // Nudged there and back: nothing is left to undo.
        setObsolete(m_after == m_before);
        return true;
    }
    void undo() override { m_history.Restore(m_before); }
    const QString& MergeKey() const { return m_mergeKey; }
    const TPageSnapshot& Before() const { return m_before; }
    const TPageSnapshot& After() const { return m_after; }
    void redo() override
    {
        // Pushed after the change: the page is in that state already.
        if (m_pushed)
            m_history.Restore(m_after);
        m_pushed = true;
    }

private:
    TPageHistory& m_history;
    QString m_mergeKey;
    TPageSnapshot m_before;
    TPageSnapshot m_after;
    bool m_pushed = false;
};

} // namespace

TPageHistory::TPageHistory(TPageDocument& page, QObject* parent) : QObject(parent), m_page(page)
{
    m_stack.setUndoLimit(kStepLimit);
}

TPageHistory::~TPageHistory()
{
    // The window that listens is being taken apart: the steps go without a word.
    m_stack.blockSignals(true);
}

void TPageHistory::Changed()
{
    if (m_restoring)
        return;
    m_pending = true;
    if (m_commitPosted)
        return;
    m_commitPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_commitPosted = false;
            Commit();
        },
        Qt::QueuedConnection);
}

void TPageHistory::NameNext(const QString& caption, const QString& mergeKey)
{
    m_nextCaption = caption;
    m_nextMergeKey = mergeKey;
}

void TPageHistory::ForgetName()
{
    NameNext(QString());
}

void TPageHistory::Commit()
{
    if (!m_pending)
        return;
    const QString caption = m_nextCaption.isEmpty() ? QString::fromLatin1(kUnnamedStep) : m_nextCaption;
    const QString mergeKey = m_nextMergeKey;
    ForgetName();
    commitAs(caption, mergeKey);
}

void TPageHistory::Record(const QString& caption, const QString& mergeKey)
{
    commitAs(caption, mergeKey);
}

void TPageHistory::commitAs(const QString& caption, const QString& mergeKey)
{
    m_pending = false;
    if (!m_ready || m_restoring)
        return;
    TPageSnapshot now = TakePageSnapshot(m_page);
    if (now == m_state)
        return;
    TPageSnapshot before = std::exchange(m_state, now);
    m_stack.push(new TPageStep(*this, caption, mergeKey, std::move(before), std::move(now)));
    keepWithinBudget();
}

void TPageHistory::keepWithinBudget()
{
    // Neighbouring steps share the state between them, so each step adds the state before it.
    const auto step = [this](int i) { return static_cast<const TPageStep*>(m_stack.command(i)); };
    const int count = m_stack.count();
    qsizetype total = m_state.bytes.size();
    int keep = 0;
    while (keep < count) {
        total += step(count - 1 - keep)->Before().bytes.size();
        if (keep > 0 && total > m_byteBudget)
            break;
        ++keep;
    }
    if (keep == count)
        return;
    // The stack cannot let go of its oldest steps, so it is built again from the newest. Just after a
    // push every step is done, and the page is in the newest state already.
    const int dropped = count - keep;
    const int clean = m_stack.cleanIndex();
    std::vector<std::unique_ptr<TPageStep>> kept;
    for (int i = dropped; i < count; ++i) {
        // Only the newest may still merge with what comes next; the others must not merge as they go in.
        const QString key = i == count - 1 ? step(i)->MergeKey() : QString();
        kept.push_back(std::make_unique<TPageStep>(*this, step(i)->text(), key, step(i)->Before(), step(i)->After()));
    }
    const QSignalBlocker quiet(m_stack);
    m_stack.clear();
    for (int i = 0; i < keep; ++i) {
        if (clean - dropped == i)
            m_stack.setClean();
        m_stack.push(kept[size_t(i)].release());
    }
    if (clean - dropped == keep)
        m_stack.setClean();
    else if (clean < dropped)
        m_stack.resetClean();
}

void TPageHistory::Reset(bool saved)
{
    m_pending = false;
    ForgetName();
    m_stack.clear();
    if (!saved)
        m_stack.resetClean();
    m_state = TakePageSnapshot(m_page);
    m_ready = true;
}

void TPageHistory::MarkSaved()
{
    Commit();
    m_stack.setClean();
}

void TPageHistory::Undo()
{
    Commit();
    m_stack.undo();
}

void TPageHistory::Redo()
{
    Commit();
    m_stack.redo();
}

void TPageHistory::Restore(const TPageSnapshot& target)
{
    m_restoring = true;
    try {
        RestorePageSnapshot(m_page, m_state, target);
        // Rebuilding only what differs trusts that the page was as last recorded; if it was not, it is
        // rebuilt whole, so that undo always gives back the page exactly.
        m_state = TakePageSnapshot(m_page);
        if (m_state.bytes != target.bytes) {
            RestorePageSnapshot(m_page, TPageSnapshot(), target);
            m_state = TakePageSnapshot(m_page);
        }
    } catch (const std::exception&) {
        // The page's own bytes always read back; should they not, the page stays as far as it came.
        m_state = TakePageSnapshot(m_page);
    }
    m_pending = false;
    m_restoring = false;
}
