#include "chrome/kltitlebargroup.h"

#include <gtest/gtest.h>

#include <vector>

#include <QSlider>

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

} // namespace
