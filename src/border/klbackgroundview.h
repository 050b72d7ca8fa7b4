#pragma once

// One entry of the background library. Tag 0 is plain white, tag 1 plain
// black, 2 and up a picture; the tag is the entry's index when it was
// created and is not renumbered when entries are removed. A click posts
// "kTextViewUnselected" and then "kBackgroundItemSelected" with the entry
// (KLBackgroundView*) as the object.
//
// The image is the picture itself (for tags 0 and 1 the white and black
// resource pictures), loaded on a worker thread; it is null until then or
// when the file cannot be read.

#include "backgroundentry.h"
#include "klthumbnailview.h"

#include <QString>

class KLBackgroundView : public KLThumbnailView
{
public:
    explicit KLBackgroundView(const kit::Rect& frame = {});

    // A ".png" file of the same base name beside the picture when one exists,
    // else empty.
    QString path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }
    // The picture file this entry lists.
    QString filePath() const { return m_filePath; }
    void setFilePath(const QString& path) { m_filePath = path; }

    // What a canvas keeps of this choice: a value that stays valid when the
    // library reloads and this view is destroyed.
    BackgroundEntry entry() const;

    void mouseDown(const kit::MouseEvent& e) override;
    // Outlines the picture, so that plain white shows on the white panel.
    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;

private:
    QString m_path;
    QString m_filePath;
};
