#pragma once

// The process-wide notification centre through which views, items and
// library entries tell the controller and the canvases what the user did,
// without knowing them. The names are in notificationnames.h.
//
// Invariants:
// - post() runs every observer of the name synchronously, in the order the
//   observers were added, before it returns. Posts nested inside an observer
//   run to completion first (depth first), as plain calls would.
// - An observer added while a post is running is not called by that post;
//   an observer removed while a post is running is not called after its
//   removal, even when the running post had already picked it.
// - Main thread only. A post from another thread is a programming error: it
//   asserts in debug builds and is handed over to the main thread (delivered
//   later, not inside the post) in release builds.

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QString>

namespace kit {

struct Notification
{
    QString name;
    // The one object a post carries: nothing, a pointer to the posting view
    // (its most derived class) or a value such as an Image.
    std::any object;
};

// The object of `n` when the post carried a T* (exactly that pointer type),
// else nullptr.
template<class T> T* objectAs(const Notification& n)
{
    if (auto* p = std::any_cast<T*>(&n.object))
        return *p;
    return nullptr;
}

// The value of `n` when the post carried a T by value (an Image, say), else
// nullptr. Valid while the notification is.
template<class T> const T* valueAs(const Notification& n)
{
    return std::any_cast<T>(&n.object);
}

class NotificationCenter;

// Keeps one observer registered for as long as it lives. Hold it as a member
// of the observing object so that the observer goes away with the object.
// Move-only; an empty (default or moved-from) token observes nothing. Safe to
// destroy after its centre is gone.
class Observation
{
public:
    Observation() = default;
    ~Observation();
    Observation(Observation&& other) noexcept;
    Observation& operator=(Observation&& other) noexcept;
    Observation(const Observation&) = delete;
    Observation& operator=(const Observation&) = delete;

    // Removes the observer now; the token becomes empty.
    void reset();
    bool isActive() const;

private:
    friend class NotificationCenter;
    struct State;
    Observation(std::weak_ptr<State> state, std::uint64_t id);

    std::weak_ptr<State> m_state;
    std::uint64_t m_id = 0;
};

class NotificationCenter
{
public:
    using Handler = std::function<void(const Notification&)>;

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // The one centre of the process, created on first use.
    static NotificationCenter& defaultCenter();

    // Registers `handler` for posts of `name`. The observer stays registered
    // exactly as long as the returned token.
    [[nodiscard]] Observation addObserver(const QString& name, Handler handler);

    // Calls every observer of `name` with a notification carrying `object`.
    void post(const QString& name, std::any object = {});

    // Observers currently registered for `name`.
    int observerCount(const QString& name) const;

private:
    std::shared_ptr<Observation::State> m_state;
};

} // namespace kit
