#include "notificationcenter.h"

#include "logging.h"

#include <algorithm>
#include <utility>

#include <QCoreApplication>
#include <QThread>

namespace kit {

namespace {

bool onMainThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace

// Shared by the centre (strong) and its tokens (weak), so that a token that
// outlives its centre finds nothing to remove instead of a dangling pointer.
struct Observation::State
{
    struct Entry
    {
        std::uint64_t id;
        QString name;
        std::function<void(const Notification&)> handler;
        // Set when the entry is removed while a post holds it in its snapshot.
        bool removed = false;
    };

    // Registration order.
    std::vector<std::shared_ptr<Entry>> entries;
    std::uint64_t nextId = 1;

    void remove(std::uint64_t id)
    {
        auto it = std::find_if(entries.begin(), entries.end(),
                               [id](const auto& e) { return e->id == id; });
        if (it == entries.end())
            return;
        (*it)->removed = true;
        entries.erase(it);
    }

    void post(const Notification& n)
    {
        // The snapshot fixes who is called; the shared entries keep a handler
        // alive while it runs even if it removes itself.
        std::vector<std::shared_ptr<Entry>> called;
        for (const auto& e : entries) {
            if (e->name == n.name)
                called.push_back(e);
        }
        for (const auto& e : called) {
            if (!e->removed)
                e->handler(n);
        }
    }
};

Observation::Observation(std::weak_ptr<State> state, std::uint64_t id)
    : m_state(std::move(state)), m_id(id)
{ }

Observation::~Observation()
{
    reset();
}

Observation::Observation(Observation&& other) noexcept
    : m_state(std::move(other.m_state)), m_id(std::exchange(other.m_id, 0))
{
    other.m_state.reset();
}

Observation& Observation::operator=(Observation&& other) noexcept
{
    if (this != &other) {
        reset();
        m_state = std::move(other.m_state);
        other.m_state.reset();
        m_id = std::exchange(other.m_id, 0);
    }
    return *this;
}

void Observation::reset()
{
    if (auto state = m_state.lock())
        state->remove(m_id);
    m_state.reset();
    m_id = 0;
}

bool Observation::isActive() const
{
    const auto state = m_state.lock();
    if (!state)
        return false;
    return std::any_of(state->entries.begin(), state->entries.end(),
                       [this](const auto& e) { return e->id == m_id; });
}

NotificationCenter::NotificationCenter() : m_state(std::make_shared<Observation::State>()) { }

NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

Observation NotificationCenter::addEntry(const QString& name,
                                         std::function<void(const Notification&)> handler)
{
    Q_ASSERT_X(onMainThread(), "NotificationCenter::addObserver", "main thread only");
    if (!handler)
        return {};
    const std::uint64_t id = m_state->nextId++;
    m_state->entries.push_back(std::make_shared<Observation::State::Entry>(
        Observation::State::Entry { id, name, std::move(handler), false }));
    return Observation(m_state, id);
}

void NotificationCenter::postEntry(const QString& name, std::any object)
{
    Notification n { name, std::move(object) };
    if (!onMainThread()) {
        Q_ASSERT_X(false, "NotificationCenter::post", "main thread only");
        qCWarning(lcApp).noquote() << "Notification" << name
                                   << "posted off the main thread; delivered on the main thread.";
        std::weak_ptr<Observation::State> weak = m_state;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [weak, n = std::move(n)] {
                if (auto state = weak.lock())
                    state->post(n);
            },
            Qt::QueuedConnection);
        return;
    }
    // Held for the whole post: an observer may destroy the centre itself.
    const auto state = m_state;
    state->post(n);
}

int NotificationCenter::countEntries(const QString& name) const
{
    return int(std::count_if(m_state->entries.begin(), m_state->entries.end(),
                             [&name](const auto& e) { return e->name == name; }));
}

} // namespace kit
