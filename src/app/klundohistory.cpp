#include "klundohistory.h"

#include "document/collagedescription.h"
#include "document/collageedit.h"
#include "document/collageeditor.h"
#include "document/collagerestore.h"
#include "kit/localisation.h"
#include "serial/klcombinview.h"

#include <string_view>

#include <QUndoCommand>

namespace {

// One edit: the collage before and after it.
class CollageStep : public QUndoCommand
{
public:
    struct State
    {
        CollageDocument collage;
        float columnRatio;
    };

    CollageStep(KLUndoHistory& history, State before, State after, const CollageEdit& edit,
                bool burst, qint64 time)
        : m_history(history), m_before(std::move(before)), m_after(std::move(after)), m_edit(edit),
          m_burst(burst), m_time(time)
    {
        setText(kit::localized(edit.nameKey));
    }

    // Bursts share one id; mergeWith tells their kinds and targets apart.
    int id() const override { return m_burst ? 1 : -1; }

    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const CollageStep*>(other);
        if (next->m_edit.mode != m_edit.mode
            || std::string_view(next->m_edit.nameKey) != m_edit.nameKey
            || next->m_edit.target != m_edit.target
            || next->m_time - m_time > KLUndoHistory::kBurstMs)
            return false;
        m_after = next->m_after;
        m_time = next->m_time;
        // Zoomed in and out again: nothing is left to undo.
        setObsolete(collageContent(m_before.collage) == collageContent(m_after.collage));
        return true;
    }

    void undo() override { m_history.apply(m_before.collage, m_before.columnRatio, m_edit.mode); }

    void redo() override
    {
        // Pushed after the edit happened: the first redo has nothing to do.
        if (m_done)
            m_history.apply(m_after.collage, m_after.columnRatio, m_edit.mode);
        m_done = true;
    }

private:
    KLUndoHistory& m_history;
    State m_before;
    State m_after;
    CollageEdit m_edit;
    bool m_burst;
    qint64 m_time;
    bool m_done = false;
};

} // namespace

KLUndoHistory::KLUndoHistory(CollageEditor& editor, QObject* parent)
    : QObject(parent), m_editor(editor)
{
    m_clock.start();
}

KLUndoHistory::~KLUndoHistory() = default;

void KLUndoHistory::reset(const CollageDocument& now)
{
    m_stack.clear();
    m_current = now;
    m_currentColumn = m_editor.serialCanvas().ratio();
}

void KLUndoHistory::record(const CollageDocument& now, bool burst)
{
    const bool changed = collageContent(now) != collageContent(m_current);
    CollageStep::State before { std::move(m_current), m_currentColumn };
    m_current = now;
    m_currentColumn = m_editor.serialCanvas().ratio();
    if (!changed)
        return;
    const CollageEdit edit = describeEdit(before.collage, now, now.shown);
    m_stack.push(new CollageStep(*this, std::move(before), { now, m_currentColumn }, edit, burst,
                                 m_clock.elapsed()));
}

void KLUndoHistory::apply(const CollageDocument& target, float columnRatio, Mode mode)
{
    if (m_editor.shownMode() != mode)
        m_editor.showMode(mode);
    restoreCollage(m_editor, describeCollage(m_editor), target);
    m_editor.serialCanvas().keepRatio(columnRatio);
    m_current = describeCollage(m_editor);
    m_currentColumn = m_editor.serialCanvas().ratio();
    emit restored();
}
