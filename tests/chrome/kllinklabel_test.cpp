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
        bool pressed;
        Qt::MouseButton button;
        QPoint release;
        int clicks;
    };
    const Case cases[] = {
        { "release inside", true, Qt::LeftButton, { 10, 5 }, 1 },
        { "release outside cancels", true, Qt::LeftButton, { 300, 5 }, 0 },
        { "release without press", false, Qt::LeftButton, { 10, 5 }, 0 },
    };
    for (const Case& c : cases) {
        KLLinkLabel label(QStringLiteral("support@example.org"));
        label.resize(150, 20);
        int clicks = 0;
        QObject::connect(&label, &KLLinkLabel::clicked, [&] { ++clicks; });
        if (c.pressed)
            mouse(&label, QEvent::MouseButtonPress, { 10, 5 }, c.button);
        mouse(&label, QEvent::MouseButtonRelease, c.release, c.button);
        EXPECT_EQ(clicks, c.clicks) << c.name;
        // The space bar clicks it as well.
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
        QApplication::sendEvent(&label, &space);
        EXPECT_EQ(clicks, c.clicks + 1) << c.name;
        EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    }
}

} // namespace
