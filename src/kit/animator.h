#pragma once

// Animated frame changes on the main thread. One animate() call is a group:
// every view of it moves from its frame at the time of the call to its
// target frame over the same duration, with the toolkit's usual ease-in /
// ease-out pacing, and the group's completion runs once, after the last
// step has put every view exactly on its target.
//
// Invariants:
// - A view moves in at most one group. Animating it again (or calling
//   stop()) takes it out of its earlier group, which then leaves it alone
//   and still completes on time.
// - A view destroyed during its animation is skipped; its group completes.
// - A duration of 0 or less sets the frames before animate() returns; the
//   completion then runs on the next turn of the event loop, never inside
//   animate(), so callers may set their "in progress" state after the call.
// - Completions of groups that have not finished when the Animator is
//   destroyed never run.
// Frames are the views' unrotated frames (View::setFrame).

#include "geometry.h"
#include "view.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QEasingCurve>
#include <QElapsedTimer>
#include <QTimer>

namespace kit {

class Animator
{
public:
    using Targets = std::vector<std::pair<View*, Rect>>;

    Animator();
    ~Animator();
    Animator(const Animator&) = delete;
    Animator& operator=(const Animator&) = delete;

    // The animator of the application, created on first use.
    static Animator& shared();

    // Moves each view to its frame over `durationMs` milliseconds, then calls
    // `completion` (if any). Null views are ignored.
    void animate(const Targets& targets, int durationMs, std::function<void()> completion = {});

    // Leaves `view` where it is now, ending its animation.
    void stop(const View* view);

private:
    struct Target
    {
        ViewRef view; // reset when the view leaves the group
        Rect from;
        Rect to;
    };
    struct Group
    {
        std::vector<Target> targets;
        QElapsedTimer clock;
        int durationMs = 0;
        std::function<void()> completion;
    };

    void tick();

    std::vector<std::unique_ptr<Group>> m_groups;
    QEasingCurve m_curve;
    QTimer m_timer;
};

} // namespace kit
