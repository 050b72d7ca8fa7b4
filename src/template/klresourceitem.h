#pragma once

// One cell of a template collage: a view that shows one photo through a mask
// (a polygon, an outline of curves or the letter outlines of a word), with an
// optional border band. The cell parses its own cell line, rebuilds its mask
// and the photo's fit size on every size change, zooms the photo with the
// arrow keys, answers hit tests against its mask and draws band, placeholder
// colour and photo. The template canvas places cells and pans their photos.

#include "templatefile.h"

#include "kit/image.h"
#include "kit/path.h"
#include "kit/view.h"

#include <memory>
#include <optional>

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <QStringView>

class KLResourceItem : public kit::View
{
public:
    // A cell with the defaults: polygon kind, no data, no border, no photo.
    explicit KLResourceItem(const kit::Rect& frame);
    ~KLResourceItem() override;

    // A cell parsed from a template cell line, with its mask built for
    // `frame`; nullptr when the line is malformed (see parseCellLine).
    static std::unique_ptr<KLResourceItem> create(const kit::Rect& frame, QStringView format);
    // A cell from a record the template reader has already parsed.
    static std::unique_ptr<KLResourceItem> create(const kit::Rect& frame, const CellRecord& record);

    // Parses a cell line into rect, kind, border, data and degree. On false
    // the cell is unchanged.
    bool _loadFormat(QStringView format);
    void applyRecord(const CellRecord& record);

    // -- Fields. Plain setters only store; a leading underscore also redraws.
    bool isBordered() const { return m_isBordered; }
    void _setBordered(bool bordered);
    int maskMode() const { return m_maskMode; }
    void setMaskMode(int mode) { m_maskMode = mode; }
    const CellData& data() const { return m_data; }
    void setData(const CellData& data) { m_data = data; }
    const std::optional<QColor>& borderColor() const { return m_borderColor; }
    void _setBorderColor(const std::optional<QColor>& color) { m_borderColor = color; }
    // Border width as a fraction (of the cell's width for polygon and curve masks).
    float borderSize() const { return m_borderSize; }
    void setBorderSize(float size) { m_borderSize = size; }
    // Border inset in points, borderSize × bounds width as last mapped.
    float rborderSize() const { return m_rborderSize; }
    const std::optional<kit::Image>& image() const { return m_image; }
    // The mask in bounds coordinates; none when it could not be built (a text
    // mask without its font).
    const std::optional<kit::Path>& maskPath() const { return m_maskPath; }
    // Counter-clockwise rotation in degrees; the canvas turns the cell.
    float degree() const { return m_degree; }
    void setDegree(float degree) { m_degree = degree; }
    // Lower left corner of the drawn photo, fractions of the bounds' width and height.
    kit::Point imagePosition() const { return m_imagePosition; }
    float imageScale() const { return m_imageScale; }
    // Drawn size of the photo in points: fit size × imageScale.
    kit::Size imageSize() const { return m_imageSize; }
    // Place in the canvas's cell area, fractions of it.
    kit::Rect rect() const { return m_rect; }
    void setRect(const kit::Rect& rect) { m_rect = rect; }

    // The canvas's background picture, shown in the border band instead of
    // the border colour. `placement` is where the canvas draws the whole
    // picture, in the coordinates of the cell's superview (empty: its pixel
    // size at the origin); the band shows the picture exactly as drawn there,
    // so that it continues the canvas's picture without a seam. Ignored
    // unless the cell is bordered with a non-zero width.
    void setBackgroundImage(const std::optional<kit::Image>& picture, kit::Rect placement = {});
    const std::optional<kit::Image>& backgroundImage() const { return m_backgroundImage; }

    // -- Geometry
    // A size with a NaN dimension is ignored; otherwise the fit size and the
    // mask are rebuilt.
    void setFrameSize(kit::Size size) override;
    // A mask point (fractions of the inner rectangle) in bounds coordinates.
    kit::Point _updatePoint(double fx, double fy);
    void _updateMaskPath();
    void _updateImageSize();

    // Window coordinates (through the cell's rotation); false without a mask.
    bool pointInMask(kit::Point windowPoint) const;
    // Only the mask is hit, so a click beside it passes to what lies below.
    bool isPointInside(kit::Point local) const override;

    // -- Photo
    // A new photo starts at 1.5 × its fit size at the lower left corner; none
    // (or a null image) empties the cell and keeps zoom and position.
    void _setImage(const std::optional<kit::Image>& image);
    // Clamped to 0.1 … 6.0; the photo grows or shrinks about a point near its
    // middle. A value that is not finite is ignored.
    void _setImageScale(float scale);
    // `position` in bounds points, stored as fractions; not limited.
    void _setImagePosition(kit::Point position);
    // Puts the photo back where imagePosition() and imageScale() said it was
    // (fractions, and a scale of at most 6; 0 for a cell that never had a
    // photo), whatever the cell's size; a value that is not finite is
    // ignored.
    void _setImagePlacement(kit::Point position, float scale);

    // -- Responder and drawing
    bool acceptsFirstMouse() const override { return true; }
    bool acceptsFirstResponder() const override { return true; }
    void becomeFirstResponder() override { setNeedsDisplay(); }
    void resignFirstResponder() override { setNeedsDisplay(); }
    // Delete empties the cell, Up and Down zoom by 0.1; other keys are ignored.
    void keyDown(const kit::KeyEvent& event) override;
    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;
    void imagesToDraw(std::vector<std::pair<kit::Image, QSize>>& out, double scale) const override;
    // The shape of the focus ring: the mask of an unrotated cell, else none.
    // The first responder shows it on screen along the inside of the mask.
    std::optional<kit::Path> focusRingPath() const;
    kit::Rect focusRingMaskBounds() const { return bounds(); }

    // Opaque placeholder colour of an empty cell, chosen by tag modulo 7.
    static QColor placeholderColor(int tag);

    // -- Text masks. Fonts here carry their size in user units as the point
    // size (one point per unit, as at 72 dpi).
    // The font of `family` with weight `weight` on the 0 … 15 scale where 5
    // is regular, or none when no installed family has that name.
    static std::optional<QFont> fontWithFamily(const QString& family, int weight, double size);
    // The letter outlines of `text` laid out in `font`, each glyph after the
    // previous by its advance, y up, baseline starting at `at`.
    static kit::Path makePathFromString(const QString& text, const QFont& font, kit::Point at);
    // `font` at startSize × (k × 1.8), k fitting the text at startSize into
    // `area` with a margin of 2; none when no positive, finite size results.
    static std::optional<QFont> fontSizedForAreaSize(kit::Size area, const QString& text,
                                                     const QFont& font, int startSize);
    // min((area width − m) / content width, (area height − m) / content height).
    static float scaleToAspectFit(kit::Size content, kit::Size area, float padding);

private:
    std::optional<kit::Path> textMask();
    // Draws the part of the background picture under the cell's frame at the
    // cell's origin, replacing what is there.
    void drawBackgroundPart(kit::GraphicsContext& gc) const;

    bool m_isBordered = false;
    int m_maskMode = MaskMode::Polygon;
    CellData m_data;
    std::optional<QColor> m_borderColor;
    float m_borderSize = 0;
    float m_rborderSize = 0;
    std::optional<kit::Image> m_image;
    std::optional<kit::Path> m_maskPath;
    float m_degree = 0;
    kit::Point m_imagePosition;
    float m_imageScale = 0;
    kit::Size m_imageSize;
    kit::Rect m_rect;
    std::optional<kit::Image> m_backgroundImage;
    kit::Rect m_backgroundPlacement;
    // The mask text laid out once per family, size and text at a reference
    // size, so that a resize only scales it; no outline without the font.
    QStringList m_textKey;
    std::optional<QPainterPath> m_textOutline;
    kit::Size m_textSize;
};
