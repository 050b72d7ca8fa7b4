#include "klbackgroundview.h"

#include "kit/graphicscontext.h"
#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"
#include "kit/path.h"

KLBackgroundView::KLBackgroundView(const kit::Rect& frame) : KLThumbnailView(frame) { }

BackgroundEntry KLBackgroundView::entry() const
{
    return BackgroundEntry { tag(), image(), m_filePath };
}

void KLBackgroundView::mouseDown(const kit::MouseEvent&)
{
    auto& centre = kit::NotificationCenter::defaultCenter();
    centre.post(kit::kTextViewUnselected);
    centre.post(kit::kBackgroundItemSelected, this);
}

void KLBackgroundView::drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty)
{
    KLThumbnailView::drawRect(gc, dirty);
    const kit::Rect picture = imageRect();
    if (picture.isEmpty())
        return;
    gc.setColor(QColor(0, 0, 0, 40));
    gc.stroke(kit::Path::rect(picture.insetBy(0.5, 0.5)), 1);
}
