#include "chrome/kltitlebargroup.h"

#include <gtest/gtest.h>

#include <vector>

#include <QSlider>
#include <QToolButton>

namespace {

TEST(KLTitleBarGroup, ZoomNotifiesOnlyForTheUsersMoves)
{
    KLTitleBarGroup group;
    std::vector<double> values;
    QObject::connect(&group, &KLTitleBarGroup::zoomValueChanged,
                     [&](double v) { values.push_back(v); });

    group.setZoomRange(1.0, 5.0);
    group.setZoomValue(4.5);
    EXPECT_DOUBLE_EQ(group.zoomValue(), 4.5);
    group.setZoomRange(1.0, 3.0); // serial back to template: clamps quietly
    EXPECT_DOUBLE_EQ(group.zoomValue(), 3.0);
    group.setZoomValue(1.2345);
    EXPECT_DOUBLE_EQ(group.zoomValue(), 1.23);
    group.setZoomValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(group.zoomValue(), 1.23);
    EXPECT_TRUE(values.empty());

    group.canvasScale()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_DOUBLE_EQ(values[0], 1.24);
}

TEST(KLTitleBarGroup, ModeButtonsAndCentring)
{
    QWidget bar;
    bar.resize(1200, KLTitleBarGroup::kBarHeight);
    auto* group = new KLTitleBarGroup(&bar);
    bar.show();
    EXPECT_EQ(group->x(), (1200 - group->width()) / 2);
    EXPECT_EQ(group->y(), 0);
    EXPECT_EQ(group->height(), KLTitleBarGroup::kBarHeight);
    bar.resize(1600, KLTitleBarGroup::kBarHeight);
    EXPECT_EQ(group->x(), (1600 - group->width()) / 2);

    QAbstractButton* pressed = nullptr;
    QObject::connect(group, &KLTitleBarGroup::layoutButtonClicked,
                     [&](QAbstractButton* b) { pressed = b; });
    group->serialLayoutButton()->click();
    EXPECT_EQ(pressed, group->serialLayoutButton());

    group->setSelectedMode(1);
    EXPECT_FALSE(group->layoutButton()->isChecked());
    EXPECT_TRUE(group->freeLayoutButton()->isChecked());
    EXPECT_FALSE(group->serialLayoutButton()->isChecked());
    group->setSelectedMode(-1);
    EXPECT_FALSE(group->freeLayoutButton()->isChecked());
}

} // namespace
