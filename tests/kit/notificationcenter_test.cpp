#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"
#include "support/notificationrecorder.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <optional>

using kit::Notification;
using kit::NotificationCenter;
using kit::Observation;

namespace {

struct Item
{
    int id = 0;
};

} // namespace

TEST(NotificationCenter, CallsObserversOfTheNameInRegistrationOrderInsideThePost)
{
    NotificationCenter center;
    QStringList calls;
    Observation a = center.addObserver("one", [&](const Notification&) { calls << "a"; });
    Observation other = center.addObserver("two", [&](const Notification&) { calls << "other"; });
    Observation b = center.addObserver("one", [&](const Notification&) { calls << "b"; });

    center.post("one");
    EXPECT_EQ(calls.join(',').toStdString(), "a,b"); // synchronous: done when post returns
    center.post("two");
    EXPECT_EQ(calls.join(',').toStdString(), "a,b,other");
    center.post("three");
    EXPECT_EQ(calls.size(), 3);
}

TEST(NotificationCenter, ObserverStopsWhenItsTokenGoes)
{
    auto center = std::make_unique<NotificationCenter>();
    int calls = 0;
    auto handler = [&](const Notification&) {
        ++calls;
    };
    {
        Observation scoped = center->addObserver("n", handler);
        center->post("n");
    }
    center->post("n");
    EXPECT_EQ(calls, 1);

    // Moving keeps the registration; assigning over a token removes its observer.
    Observation first = center->addObserver("n", handler);
    Observation second = std::move(first);
    center->post("n");
    EXPECT_EQ(calls, 2);
    second = center->addObserver("other", handler);
    center->post("n");
    EXPECT_EQ(calls, 2);

    // A token that outlives its centre is harmless.
    center.reset();
    EXPECT_FALSE(second.isActive());
    second.reset();
}

TEST(NotificationCenter, ObserversMayChangeRegistrationsDuringAPost)
{
    NotificationCenter center;
    QStringList calls;
    std::optional<Observation> self, later, added;

    self = center.addObserver("n", [&](const Notification&) {
        calls << "self";
        self.reset(); // removes itself while running
    });
    Observation remover = center.addObserver("n", [&](const Notification&) {
        calls << "remover";
        later.reset(); // one that the running post has already picked
        if (!added)
            added = center.addObserver("n", [&](const Notification&) { calls << "added"; });
    });
    later = center.addObserver("n", [&](const Notification&) { calls << "later"; });

    center.post("n");
    EXPECT_EQ(calls.join(',').toStdString(), "self,remover");
    calls.clear();
    center.post("n"); // the one added during the first post now runs, in order
    EXPECT_EQ(calls.join(',').toStdString(), "remover,added");
}

TEST(NotificationCenter, CarriesTheObjectOfThePost)
{
    NotificationCenter center;
    testsupport::NotificationRecorder recorder(
        { kit::kFreeLayoutItemSelected, kit::kCombinViewUpdated, kit::kLayoutImageDropped },
        center);
    Item item { 7 };
    center.post(kit::kFreeLayoutItemSelected, &item);
    center.post(kit::kCombinViewUpdated);
    center.post(kit::kLayoutImageDropped, Item { 9 });
    center.post(kit::kTextViewDeleted, &item); // not recorded

    ASSERT_EQ(recorder.names().join(',').toStdString(),
              "kFreeLayoutItemSelected,kCombinViewUpdated,kLayoutImageDropped");
    EXPECT_EQ(recorder.lastObject<Item>(kit::kFreeLayoutItemSelected), &item);
    EXPECT_EQ(kit::objectAs<Item>(recorder.posts()[1]), nullptr);
    EXPECT_FALSE(recorder.posts()[1].object.has_value());
    EXPECT_EQ(kit::objectAs<int>(recorder.posts()[0]), nullptr); // wrong type
    const Item* dropped = kit::valueAs<Item>(recorder.posts()[2]);
    ASSERT_NE(dropped, nullptr);
    EXPECT_EQ(dropped->id, 9);
}
