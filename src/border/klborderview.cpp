#include "klborderview.h"

#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"

KLBorderView::KLBorderView(const kit::Rect& frame) : KLThumbnailView(frame) { }

std::optional<QString> KLBorderView::borderFile() const
{
    if (tag() <= 0 || m_path == kNoBorderPath || m_path.isEmpty())
        return std::nullopt;
    return m_path;
}

void KLBorderView::mouseDown(const kit::MouseEvent&)
{
    auto& centre = kit::NotificationCenter::defaultCenter();
    centre.post(kit::kTextViewUnselected);
    centre.post(kit::kBorderItemSelected, this);
}
