#pragma once

// One thumbnail of the template library. Its path is the template file, its
// tag the template's cell count. A click posts "kLayoutItemSelected" with the
// thumbnail (KLImageView*) as the object, then "kTextViewUnselected". It
// accepts first responder, shows a focus ring while it is, and ignores every
// key.

#include "border/klthumbnailview.h"

#include <QString>

class KLImageView : public KLThumbnailView
{
public:
    explicit KLImageView(const kit::Rect& frame = {});

    QString path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    void mouseDown(const kit::MouseEvent& e) override;

private:
    QString m_path;
};
