#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"
#include "kit/view.h"
#include "support/notificationrecorder.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <optional>

using kit::NotificationCenter;
using kit::NotificationName;
using kit::Observation;

namespace {

struct Item
{
    int id = 0;
};

const NotificationName<void> kOne("one");
const NotificationName<void> kTwo("two");
const NotificationName<void> kThree("three");
const NotificationName<void> kN("n");
const NotificationName<void> kOther("other");

// A post or an observer whose type is not the name's does not compile.
template<class T, class A>
concept CanPost = requires(NotificationCenter& c, const NotificationName<T>& n, A a)
{
    c.post(n, a);
};
template<class T, class F>
concept CanObserve = requires(NotificationCenter& c, const NotificationName<T>& n, F f)
{
    c.addObserver(n, f);
};
static_assert(CanPost<KLTextView*, KLTextView*>);
static_assert(!CanPost<KLTextView*, kit::View*>);
static_assert(!CanPost<KLTextView*, Item*>);
static_assert(!CanPost<kit::Image, Item>);
static_assert(CanObserve<KLTextView*, void (*)(KLTextView*)>);
static_assert(!CanObserve<KLTextView*, void (*)(Item*)>);
static_assert(!CanObserve<void, void (*)(Item*)>);

} // namespace

TEST(NotificationCenter, CallsObserversOfTheNameInRegistrationOrderInsideThePost)
{
    NotificationCenter center;
    QStringList calls;
    Observation a = center.addObserver(kOne, [&] { calls << "a"; });
    Observation other = center.addObserver(kTwo, [&] { calls << "other"; });
    Observation b = center.addObserver(kOne, [&] { calls << "b"; });

    center.post(kOne);
    EXPECT_EQ(calls.join(',').toStdString(), "a,b"); // synchronous: done when post returns
    center.post(kTwo);
    EXPECT_EQ(calls.join(',').toStdString(), "a,b,other");
    center.post(kThree);
    EXPECT_EQ(calls.size(), 3);
}

TEST(NotificationCenter, ObserverStopsWhenItsTokenGoes)
{
    auto center = std::make_unique<NotificationCenter>();
    int calls = 0;
    auto handler = [&] {
        ++calls;
    };
    {
        Observation scoped = center->addObserver(kN, handler);
        center->post(kN);
    }
    center->post(kN);
    EXPECT_EQ(calls, 1);

    // Moving keeps the registration; assigning over a token removes its observer.
    Observation first = center->addObserver(kN, handler);
    Observation second = std::move(first);
    center->post(kN);
    EXPECT_EQ(calls, 2);
    second = center->addObserver(kOther, handler);
    center->post(kN);
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

    self = center.addObserver(kN, [&] {
        calls << "self";
        self.reset(); // removes itself while running
    });
    Observation remover = center.addObserver(kN, [&] {
        calls << "remover";
        later.reset(); // one that the running post has already picked
        if (!added)
            added = center.addObserver(kN, [&] { calls << "added"; });
    });
    later = center.addObserver(kN, [&] { calls << "later"; });

    center.post(kN);
    EXPECT_EQ(calls.join(',').toStdString(), "self,remover");
    calls.clear();
    center.post(kN); // the one added during the first post now runs, in order
    EXPECT_EQ(calls.join(',').toStdString(), "remover,added");
}

TEST(NotificationCenter, CarriesTheObjectOfThePost)
{
    NotificationCenter center;
    const NotificationName<Item*> selected("selected");
    const NotificationName<Item> dropped("dropped");
    testsupport::NotificationRecorder recorder(center, selected, kOne, dropped);
    Item item { 7 };
    Item* seen = nullptr;
    Observation observer = center.addObserver(selected, [&](Item* i) { seen = i; });
    center.post(selected, &item);
    center.post(kOne);
    center.post(dropped, Item { 9 });
    center.post(kTwo); // not recorded

    EXPECT_EQ(seen, &item);
    ASSERT_EQ(recorder.names().join(',').toStdString(), "selected,one,dropped");
    EXPECT_EQ(recorder.lastObject(selected), &item);
    EXPECT_FALSE(recorder.posts()[1].object.has_value());
    const Item* value = kit::valueAs<Item>(recorder.posts()[2]);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->id, 9);
}
