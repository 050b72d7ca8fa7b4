#pragma once

// Records the posts of chosen notification names on a centre, in order, for
// tests that check what a view or canvas announced.

#include "kit/notificationcenter.h"

#include <vector>

#include <QStringList>

namespace testsupport {

class NotificationRecorder
{
public:
    // Records the posts of `names` on the default centre.
    template<class... T> explicit NotificationRecorder(const kit::NotificationName<T>&... names)
    {
        (record(kit::NotificationCenter::defaultCenter(), names), ...);
    }
    // Records the posts of `names` on `center`.
    template<class... T>
    explicit NotificationRecorder(kit::NotificationCenter& center,
                                  const kit::NotificationName<T>&... names)
    {
        (record(center, names), ...);
    }

    // The observers hold `this`.
    NotificationRecorder(const NotificationRecorder&) = delete;
    NotificationRecorder& operator=(const NotificationRecorder&) = delete;

    const std::vector<kit::Notification>& posts() const { return m_posts; }
    // The names of the recorded posts, in posting order.
    QStringList names() const
    {
        QStringList out;
        for (const auto& n : m_posts)
            out.append(n.name);
        return out;
    }
    template<class T> int count(const kit::NotificationName<T>& name) const
    {
        int c = 0;
        for (const auto& n : m_posts)
            c += n.name == name.name() ? 1 : 0;
        return c;
    }
    // The object of the last post of `name`, or nullptr.
    template<class T> T* lastObject(const kit::NotificationName<T*>& name) const
    {
        for (auto it = m_posts.rbegin(); it != m_posts.rend(); ++it) {
            if (it->name == name.name())
                return kit::objectAs<T>(*it);
        }
        return nullptr;
    }
    void clear() { m_posts.clear(); }

private:
    template<class T>
    void record(kit::NotificationCenter& center, const kit::NotificationName<T>& name)
    {
        m_observations.push_back(
            center.addRecorder(name, [this](const kit::Notification& n) { m_posts.push_back(n); }));
    }

    std::vector<kit::Notification> m_posts;
    std::vector<kit::Observation> m_observations;
};

} // namespace testsupport
