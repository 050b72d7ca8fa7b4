#include "klscrollbackview.h"

#include "kit/graphicscontext.h"
#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"

KLScrollBackView::KLScrollBackView(const kit::Rect& frame) : kit::View(frame) { }

void KLScrollBackView::drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty)
{
    gc.setColor(QColor(0xe4, 0xe4, 0xe6));
    gc.fillRect(dirty);
}

void KLScrollBackView::mouseDown(const kit::MouseEvent&)
{
    auto& centre = kit::NotificationCenter::defaultCenter();
    centre.post(kit::kLayoutClearResponder, nullptr);
    centre.post(kit::kTextViewUnselected);
}
