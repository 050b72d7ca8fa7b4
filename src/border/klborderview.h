#pragma once

// One entry of the border library. Its tag is the entry's index when it was
// created (0 stands for "no border"); its path is the border file, or the
// pseudo-path "*NONE*" for entry 0. A click posts "kTextViewUnselected" and
// then "kBorderItemSelected" with the entry (KLBorderView*) as the object.

#include "klthumbnailview.h"

#include <QString>

class KLBorderView : public KLThumbnailView
{
public:
    // The path of the entry that stands for no border.
    static inline const QString kNoBorderPath = QStringLiteral("*NONE*");

    explicit KLBorderView(const kit::Rect& frame = {});

    QString path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }
    // The border file that a canvas should use, or nothing for "no border".
    std::optional<QString> borderFile() const;

    void mouseDown(const kit::MouseEvent& e) override;

private:
    QString m_path;
};
