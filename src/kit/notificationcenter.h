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
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include <QLatin1StringView>
#include <QString>

namespace kit {

// The name of a notification together with the type of the one object its
// posts carry: `NotificationName<KLTextView*>` posts carry a caption,
// `NotificationName<Image>` an image by value, `NotificationName<void>`
// nothing. Posting or observing a name with any other type does not compile.
template<class T> class NotificationName
{
public:
    using Payload = T;
    template<std::size_t N>
    constexpr explicit NotificationName(const char (&name)[N]) : m_name(name, qsizetype(N - 1))
    { }
    constexpr QLatin1StringView name() const { return m_name; }
    QString toString() const { return QString(m_name); }

private:
    QLatin1StringView m_name;
};

// One delivered post, as a recorder sees it (tests, diagnostics): the name
// and the object, which holds exactly the name's payload type (nothing for
// a `void` name).
struct Notification
{
    QString name;
    std::any object;
};

// The object of a recorded post of a name whose payload is T*, else nullptr.
template<class T> T* objectAs(const Notification& n)
{
    if (auto* p = std::any_cast<T*>(&n.object))
        return *p;
    return nullptr;
}

// The value of a recorded post whose payload is T by value, else nullptr.
// Valid while the notification is.
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

namespace detail {
template<class T> struct NotificationHandler
{
    using Type = std::function<void(const T&)>;
};
template<> struct NotificationHandler<void>
{
    using Type = std::function<void()>;
};
} // namespace detail

// What an observer of a NotificationName<T> is called with: the object, or
// nothing for a `void` name.
template<class T> using NotificationHandler = typename detail::NotificationHandler<T>::Type;

class NotificationCenter
{
public:
    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // The one centre of the process, created on first use.
    static NotificationCenter& defaultCenter();

    // Registers `handler` for posts of `name`. The observer stays registered
    // exactly as long as the returned token.
    template<class T>
    [[nodiscard]] Observation addObserver(const NotificationName<T>& name,
                                          NotificationHandler<T> handler)
    {
        if (!handler)
            return {};
        return addEntry(name.toString(), [handler = std::move(handler)](const Notification& n) {
            if constexpr (std::is_void_v<T>) {
                handler();
            } else if (const T* object = std::any_cast<T>(&n.object)) {
                handler(*object);
            }
        });
    }

    // Registers `handler` for posts of `name` with the whole record of each
    // post: for recorders that keep what was posted, whatever its type.
    template<class T>
    [[nodiscard]] Observation addRecorder(const NotificationName<T>& name,
                                          std::function<void(const Notification&)> handler)
    {
        return addEntry(name.toString(), std::move(handler));
    }

    // Calls every observer of `name` with `object`, which converts to the
    // name's payload type first (a derived pointer to its base, say).
    template<class T> void post(const NotificationName<T>& name, std::type_identity_t<T> object)
    {
        postEntry(name.toString(), std::any(std::move(object)));
    }
    // Posts a name that carries nothing.
    void post(const NotificationName<void>& name) { postEntry(name.toString(), {}); }

    // Observers currently registered for `name`.
    template<class T> int observerCount(const NotificationName<T>& name) const
    {
        return countEntries(name.toString());
    }

private:
    Observation addEntry(const QString& name, std::function<void(const Notification&)> handler);
    void postEntry(const QString& name, std::any object);
    int countEntries(const QString& name) const;

    std::shared_ptr<Observation::State> m_state;
};

} // namespace kit
