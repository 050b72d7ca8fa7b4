#include "animator.h"

#include <algorithm>

#include <QCoreApplication>
#include <QThread>

namespace kit {

namespace {

// About one step per display refresh.
constexpr int kStepMs = 16;

double mix(double a, double b, double t)
{
    return a + (b - a) * t;
}

Rect mix(const Rect& a, const Rect& b, double t)
{
    return { mix(a.x(), b.x(), t), mix(a.y(), b.y(), t), mix(a.width(), b.width(), t),
             mix(a.height(), b.height(), t) };
}

bool onMainThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace

Animator::Animator() : m_curve(QEasingCurve::BezierSpline)
{
    // The desktop's default pacing: cubic Bézier (0.42, 0) (0.58, 1).
    m_curve.addCubicBezierSegment({ 0.42, 0.0 }, { 0.58, 1.0 }, { 1.0, 1.0 });
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kStepMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
}

Animator::~Animator() = default;

Animator& Animator::shared()
{
    static Animator animator;
    return animator;
}

void Animator::animate(const Targets& targets, int durationMs, std::function<void()> completion)
{
    Q_ASSERT_X(onMainThread(), "Animator::animate", "main thread only");
    for (const auto& [view, frame] : targets)
        stop(view);

    if (durationMs <= 0) {
        for (const auto& [view, frame] : targets) {
            if (view)
                view->setFrame(frame);
        }
        // m_timer as the context: dropped if the animator goes first.
        if (completion)
            QTimer::singleShot(0, &m_timer, std::move(completion));
        return;
    }

    auto group = std::make_unique<Group>();
    for (const auto& [view, frame] : targets) {
        if (view)
            group->targets.push_back({ ViewRef(view), view->unrotatedFrame(), frame });
    }
    group->durationMs = durationMs;
    group->completion = std::move(completion);
    group->clock.start();
    m_groups.push_back(std::move(group));
    if (!m_timer.isActive())
        m_timer.start();
}

void Animator::stop(const View* view)
{
    if (!view)
        return;
    // Targets are only ever reset here, never erased, so a tick that is
    // walking a group (and moved a view whose layout called us) stays valid.
    for (const auto& group : m_groups) {
        for (Target& target : group->targets) {
            if (target.view.get() == view)
                target.view.reset();
        }
    }
}

void Animator::tick()
{
    // Indices, not iterators: moving a view may run layout code that starts
    // another group.
    std::vector<Group*> finished;
    for (size_t i = 0; i < m_groups.size(); ++i) {
        Group* group = m_groups[i].get();
        const double progress =
            std::min(1.0, double(group->clock.elapsed()) / double(group->durationMs));
        const double eased = progress >= 1.0 ? 1.0 : m_curve.valueForProgress(progress);
        for (size_t k = 0; k < group->targets.size(); ++k) {
            Target& target = group->targets[k];
            if (View* view = target.view.get())
                view->setFrame(progress >= 1.0 ? target.to : mix(target.from, target.to, eased));
        }
        if (progress >= 1.0)
            finished.push_back(group);
    }

    std::vector<std::function<void()>> completions;
    for (Group* group : finished) {
        auto it = std::find_if(m_groups.begin(), m_groups.end(),
                               [group](const auto& g) { return g.get() == group; });
        if (group->completion)
            completions.push_back(std::move(group->completion));
        m_groups.erase(it);
    }
    if (m_groups.empty())
        m_timer.stop();
    // Last: a completion may start the next animation.
    for (auto& completion : completions)
        completion();
}

} // namespace kit
