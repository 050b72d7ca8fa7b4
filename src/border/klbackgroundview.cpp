#include "klbackgroundview.h"

#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"

KLBackgroundView::KLBackgroundView(const kit::Rect& frame) : KLThumbnailView(frame) { }

BackgroundEntry KLBackgroundView::entry() const
{
    return BackgroundEntry { tag(), image(), m_filePath };
}

void KLBackgroundView::mouseDown(const kit::MouseEvent&)
{
    auto& centre = kit::NotificationCenter::defaultCenter();
    centre.post(QString(kit::kTextViewUnselected));
    centre.post(QString(kit::kBackgroundItemSelected), this);
}
