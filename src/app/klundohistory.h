#pragma once

// The collage's undo history. Every step keeps the collage's description
// before and after one edit (a drop, a drag, a menu command, a burst of
// wheel notches or keys) and puts the canvases back with restoreCollage,
// which changes only what differs, so that photos keep their decoded levels
// and unchanged prints and captions their views.
//
// Edits are not announced by the canvases: the document commands describe
// the collage after each of the person's actions and hand the description
// to record(), which turns a difference into a step named after what
// changed (collageedit.h).

#include "document/collagedocument.h"

#include <QElapsedTimer>
#include <QObject>
#include <QUndoStack>

class CollageEditor;

class KLUndoHistory : public QObject
{
    Q_OBJECT

public:
    explicit KLUndoHistory(CollageEditor& editor, QObject* parent = nullptr);
    ~KLUndoHistory() override;

    QUndoStack& stack() { return m_stack; }

    // Steps of a burst (wheel notches, keys) on the same thing merge when
    // they follow each other within this many milliseconds.
    static constexpr int kBurstMs = 1500;

    // Takes `now` as the collage with no history: the stack is emptied.
    void reset(const CollageDocument& now);
    // Records the change from the last recorded collage to `now` as one step
    // (nothing when only zooms or the mode shown differ). A `burst` step
    // merges into the step before it when that was a burst step of the same
    // kind on the same thing, less than kBurstMs earlier.
    void record(const CollageDocument& now, bool burst);
    // The collage as last recorded or restored.
    const CollageDocument& current() const { return m_current; }

    // Gives the canvases `target`, showing `mode` first; used by the steps.
    // `columnRatio` is the serial column's shape should it be empty, which
    // its description does not tell.
    void apply(const CollageDocument& target, float columnRatio, Mode mode);

signals:
    // Undo or redo changed the canvases.
    void restored();

private:
    CollageEditor& m_editor;
    QUndoStack m_stack;
    CollageDocument m_current;
    float m_currentColumn = 1;
    QElapsedTimer m_clock;
};
