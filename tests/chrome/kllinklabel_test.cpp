#include "chrome/kllinklabel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button)
{
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST(KLLinkLabel, ClicksLikeAButton)
{
    struct Case
    {
        const char* name;
        Qt::MouseButton button;
        QPoint release;
        int clicks;
    };
    const Case cases[] = {
        { "release inside", Qt::LeftButton, { 10, 5 }, 1 },
        { "release outside cancels", Qt::LeftButton, { 300, 5 }, 0 },
        { "right button", Qt::RightButton, { 10, 5 }, 0 },
    };
    for (const Case& c : cases) {
        KLLinkLabel label(QStringLiteral("support@example.org"));
        label.resize(150, 20);
        int clicks = 0;
        QObject::connect(&label, &KLLinkLabel::clicked, [&] { ++clicks; });
        mouse(&label, QEvent::MouseButtonPress, { 10, 5 }, c.button);
        mouse(&label, QEvent::MouseButtonRelease, c.release, c.button);
        EXPECT_EQ(clicks, c.clicks) << c.name;
    }
}

TEST(KLLinkLabel, ReleaseWithoutPressAndKeyboard)
{
    KLLinkLabel label(QStringLiteral("link"));
    label.resize(150, 20);
    int clicks = 0;
    QObject::connect(&label, &KLLinkLabel::clicked, [&] { ++clicks; });
    mouse(&label, QEvent::MouseButtonRelease, { 10, 5 }, Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(&label, &space);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

} // namespace
