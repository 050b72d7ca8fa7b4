#include "klimageview.h"

#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"

KLImageView::KLImageView(const kit::Rect& frame) : KLThumbnailView(frame)
{
    setShowsFocusRing(true);
}

void KLImageView::mouseDown(const kit::MouseEvent&)
{
    auto& centre = kit::NotificationCenter::defaultCenter();
    centre.post(kit::kLayoutItemSelected, this);
    centre.post(kit::kTextViewUnselected);
}
