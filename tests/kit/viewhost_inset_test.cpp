#include "kit/graphicscontext.h"
#include "kit/image.h"
#include "kit/viewhost.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// A grey backdrop with a white card that casts a black shadow downwards, and
// a red picture drawn at its exact device size and a reduced green one.
class Card : public kit::View
{
public:
    using View::View;
    void drawRect(kit::GraphicsContext& gc, const kit::Rect&) override
    {
        gc.setColor(QColor(200, 200, 200));
        gc.fillRect(bounds());
        gc.save();
        gc.setShadow({ 4, { 0, -4 }, Qt::black });
        gc.setColor(Qt::white);
        gc.fillRect({ 40, 50, 60, 40 });
        gc.restore();
        gc.setHighQuality(true);
        gc.drawImage(testsupport::solidPhoto({ 10, 10 }, Qt::red), { 120, 60, 10, 10 });
        // A reduced photo as interactive redraws draw it.
        gc.setHighQuality(false);
        gc.drawImage(testsupport::solidPhoto({ 40, 40 }, Qt::green), { 120, 20, 10, 10 });
    }
};

} // namespace

// A view host placed inside another widget is painted into the window at its
// offset; shadows and exact image blits must land where the view put them.
TEST(ViewHostInset, ShadowsAndBlitsFollowTheHostsPlace)
{
    QWidget parent;
    parent.resize(260, 200);
    auto* host = new kit::ViewHost(&parent);
    host->viewWindow()->setRootView(std::make_unique<Card>(kit::Rect { 0, 0, 160, 120 }));
    host->setGeometry(70, 50, 160, 120);
    const QImage shot = parent.grab().toImage();
    // In the host, y down: the card's lower edge is at 120 − 50 = 70.
    auto at = [&](int x, int y) {
        return shot.pixelColor(70 + x, 50 + y);
    };
    EXPECT_LT(at(70, 73).red(), 150) << "shadow under the card";
    EXPECT_EQ(at(70, 40), QColor(Qt::white));
    EXPECT_EQ(at(125, 55), QColor(Qt::red));
    EXPECT_EQ(at(125, 95), QColor(Qt::green));
    EXPECT_EQ(at(150, 110), QColor(200, 200, 200));
}
