#include "kit/animator.h"
#include "kit/view.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QTimer>

using kit::Animator;
using kit::Rect;
using kit::View;

namespace {

// Records every frame the animator gives it.
class RecordingView : public View
{
public:
    using View::View;
    void setFrameSize(kit::Size size) override
    {
        View::setFrameSize(size);
        frames.push_back(unrotatedFrame());
    }
    std::vector<Rect> frames;
};

} // namespace

TEST(Animator, GroupReachesItsFramesThroughIntermediateStepsThenCompletesOnce)
{
    Animator animator;
    auto a = std::make_unique<RecordingView>(Rect(0, 0, 10, 10));
    auto b = std::make_unique<RecordingView>(Rect(100, 100, 20, 20));
    int completions = 0;
    bool done = false;
    animator.animate({ { a.get(), Rect(200, 0, 10, 10) }, { b.get(), Rect(0, 300, 40, 10) } }, 120,
                     [&] {
                         ++completions;
                         // Both views are on their targets when it runs.
                         EXPECT_EQ(a->unrotatedFrame(), Rect(200, 0, 10, 10));
                         EXPECT_EQ(b->unrotatedFrame(), Rect(0, 300, 40, 10));
                         done = true;
                     });
    EXPECT_EQ(a->unrotatedFrame(), Rect(0, 0, 10, 10)); // nothing moves inside the call

    ASSERT_TRUE(testsupport::waitUntil([&] { return done; }));
    EXPECT_EQ(completions, 1);
    // It moved in steps, not in one jump.
    ASSERT_GE(a->frames.size(), 3u);
    const double midX = a->frames[a->frames.size() / 2].x();
    EXPECT_GT(midX, 0);
    EXPECT_LT(midX, 200);
}

TEST(Animator, ZeroDurationSetsFramesAtOnceAndCompletesOnTheNextLoopTurn)
{
    Animator animator;
    View v(Rect(0, 0, 10, 10));
    bool done = false;
    animator.animate({ { &v, Rect(5, 6, 7, 8) } }, 0, [&] { done = true; });
    EXPECT_EQ(v.unrotatedFrame(), Rect(5, 6, 7, 8));
    EXPECT_FALSE(done);
    EXPECT_TRUE(testsupport::waitUntil([&] { return done; }));
}

TEST(Animator, ViewsDestroyedOrRetargetedMidwayAreLeftAlone)
{
    Animator animator;
    auto doomed = std::make_unique<View>(Rect(0, 0, 10, 10));
    auto moved = std::make_unique<View>(Rect(0, 0, 10, 10));
    auto survivor = std::make_unique<View>(Rect(0, 0, 10, 10));
    bool firstDone = false, secondDone = false;
    animator.animate({ { doomed.get(), Rect(100, 0, 10, 10) },
                       { moved.get(), Rect(100, 0, 10, 10) },
                       { survivor.get(), Rect(50, 50, 10, 10) } },
                     150, [&] { firstDone = true; });
    // Halfway through, one view dies and another is sent elsewhere, faster.
    QTimer::singleShot(40, [&] {
        doomed.reset();
        animator.animate({ { moved.get(), Rect(-30, -30, 5, 5) } }, 30, [&] { secondDone = true; });
    });

    ASSERT_TRUE(testsupport::waitUntil([&] { return secondDone; }));
    EXPECT_EQ(moved->unrotatedFrame(), Rect(-30, -30, 5, 5));
    ASSERT_TRUE(testsupport::waitUntil([&] { return firstDone; }));
    // The first group ended later and did not pull the view back.
    EXPECT_EQ(moved->unrotatedFrame(), Rect(-30, -30, 5, 5));
    EXPECT_EQ(survivor->unrotatedFrame(), Rect(50, 50, 10, 10));
}

TEST(Animator, CompletionMayStartTheNextAnimation)
{
    Animator animator;
    View v(Rect(0, 0, 10, 10));
    bool done = false;
    animator.animate({ { &v, Rect(10, 0, 10, 10) } }, 30, [&] {
        animator.animate({ { &v, Rect(20, 0, 10, 10) } }, 30, [&] { done = true; });
    });
    ASSERT_TRUE(testsupport::waitUntil([&] { return done; }));
    EXPECT_EQ(v.unrotatedFrame(), Rect(20, 0, 10, 10));
}
