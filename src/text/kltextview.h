#pragma once

// A caption: a free-standing piece of styled text over a collage. It keeps
// its place and size as fractions of its superview (the canvas's caption
// container), so that it follows the canvas when the canvas is resized or
// rendered at another size for export.
//
// The text is drawn as one glyph outline (textoutline.h) whose font grows
// with the caption's height: at a height of scaleHeight() the font has its
// nominal size. The person moves the caption by its body, resizes it by
// four corner handles, turns it by the knob above its top edge, edits its
// text in place after a double click, and reaches its style commands through
// its context menu. It reports what happens only through notifications
// (kTextViewDidSelected, kTextViewDidChanged, kTextViewSaving,
// kTextViewDeleted, kTextViewUnselected, kLayoutClearResponder), with
// itself (KLTextView*) as the object.

#include "textstyle.h"

#include "kit/events.h"
#include "kit/notificationcenter.h"
#include "kit/path.h"
#include "kit/view.h"

#include <optional>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

struct StyleEntry;

class KLTextView : public kit::View
{
public:
    // Width ÷ height of the frame, and the frame height as a fraction of the
    // superview's height.
    struct RelativeSize
    {
        double ratio = 1;
        double height = 0;
    };

    // Handles, as dragCornerRect() numbers them; -1 is the body.
    enum Handle { Body = -1, BottomLeft = 0, BottomRight = 1, TopLeft = 2, TopRight = 3, Knob = 4 };

    // A caption with the factory look and no text or font yet (a canvas
    // applies a style right after). scaleHeight() starts as the frame's
    // height − 16, or the height itself for a caption under 16 high.
    explicit KLTextView(const kit::Rect& frame = {});

    // -- Place and size; plain accessors that neither move nor re-lay out.
    // Frame origin as fractions of the superview's frame width and height.
    kit::Point location() const { return m_location; }
    void setLocation(kit::Point location) { m_location = location; }
    RelativeSize size() const { return m_size; }
    void setSize(RelativeSize size) { m_size = size; }
    // The caption height at which the font has its nominal size.
    double scaleHeight() const { return m_scaleHeight; }
    void setScaleHeight(double height) { m_scaleHeight = height; }

    // Places and sizes the caption from location() and size() within its
    // superview; without a superview the caption goes to the origin with a
    // zero height. A turned caption keeps its angle: location and size
    // describe it unturned.
    void updateFrame();
    // Resizes and re-lays out the text.
    void setFrameSize(kit::Size size) override;

    // -- Look. Each setter stores a copy and, where noted, rebuilds the
    // outline and redraws; the others only redraw when the change shows.
    QString text() const { return m_text.value_or(QString()); }
    bool hasText() const { return m_text.has_value(); }
    void _setText(const QString& text); // rebuilds
    // The nominal font (face and size in points); none until a style sets it.
    std::optional<QFont> font() const { return m_font; }
    void _setFont(const QFont& font); // rebuilds
    QColor textColor() const { return m_textColor; }
    void _setTextColor(const QColor& color); // rebuilds
    // None draws no outline.
    std::optional<QColor> strokeColor() const { return m_strokeColor; }
    void _setStrokeColor(const std::optional<QColor>& color); // rebuilds
    // Percent of the caption height; drawn only above 1. Clamped to 0..100.
    double strokeWidth() const { return m_strokeWidth; }
    void _setStrokeWidth(double width); // rebuilds when there is a stroke colour
    // Percent, clamped to 0..100.
    double opacity() const { return m_opacity; }
    void _setOpacity(double opacity); // rebuilds
    bool dropShadow() const { return m_dropShadow; }
    void _setDropShadow(bool on); // rebuilds
    QColor shadowColor() const { return m_shadowColor; }
    // None becomes grey. The shadow setters rebuild only while the shadow is on.
    void _setShadowColor(const std::optional<QColor>& color);
    double shadowDegree() const { return m_shadowDegree; }
    void _setShadowDegree(double degrees);
    // Fiftieths of the outline's height.
    double shadowOffset() const { return m_shadowOffset; }
    void _setShadowOffset(double offset);
    double shadowRadius() const { return m_shadowRadius; }
    void _setShadowRadius(double radius);

    // The current glyph outline, in the caption's own coordinates.
    const kit::Path& textPath() const { return m_textPath; }
    // Rebuilds the outline from the text, the font and the bounds, and
    // redraws; nothing without a text or a font.
    void _updateText();

    // -- Geometry of the selection marks, in the caption's coordinates.
    // Height of the strip at the top that holds the knob: 3 % of the
    // superview's width (0 without a superview).
    double knobStripHeight() const;
    // Handle rectangles, 10 × 10; see Handle.
    kit::Rect dragCornerRect(int index) const;

    // -- Styles
    // The caption's look as a style record, with its text and proportions.
    TextStyle styleRecord() const;
    // Takes the look of a record; keeps the text, place and size.
    // A non-zero "TextScaleHeight" becomes scaleHeight().
    void applyStyleWithDictionary(const TextStyle& style);
    // Applies a style file; false, changing nothing, when it does not read.
    bool applyStyle(const QString& path);
    // Writes the preview (PNG, transparent background, without selection
    // marks) beside `path` and the style file at `path`, both atomically.
    // False, with the reason in `error`, when either cannot be written.
    bool saveStyle(const QString& path, QString* error = nullptr);
    // The caption's bounds drawn as the preview shows them.
    QImage renderPreview();

    // -- Commands of the context menu
    void bringToFront();
    void showProperties();
    void saveProperties();
    // The style commands post kTextViewDidChanged, so that a shown settings
    // panel shows the new look.
    void clearStyle();
    // Applies the style a menu entry names (the factory style for the
    // default entry) and check-marks that entry in the style menu.
    void chooseStyle(const StyleEntry& entry, bool isDefaultEntry = false);
    void remove();
    // The context menu: bring to front, properties, the styles, save as a
    // style, clear the style, remove. Built when the caption is created.
    const kit::Menu& contextMenu() const { return m_contextMenu; }

    // -- Editing the text in place (after a double click). Typing replaces
    // the whole text at first, then appends; Backspace deletes, Return ends,
    // Escape restores the text from before. Ends when the caption stops
    // being first responder.
    bool isEditing() const { return m_editing; }
    void beginEditing();
    void endEditing(bool keep = true);

    // -- Events
    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;
    bool acceptsFirstResponder() const override { return true; }
    bool acceptsFirstMouse() const override { return true; }
    void resignFirstResponder() override;
    void mouseDown(const kit::MouseEvent& e) override;
    void mouseDragged(const kit::MouseEvent& e) override;
    void mouseUp(const kit::MouseEvent& e) override;
    void rightMouseDown(const kit::MouseEvent& e) override;
    void keyDown(const kit::KeyEvent& e) override;
    std::optional<kit::Menu> menuForEvent(const kit::MouseEvent& e) override;
    std::optional<Qt::CursorShape> cursorAt(kit::Point local) const override;

    bool isSaving() const { return m_saving; }
    // The handle under the last press.
    int clickedRect() const { return m_clickedRect; }

private:
    void post(const kit::NotificationName<KLTextView*>& name);
    void redrawSiblings();
    void storeRelativeFrame();
    void buildContextMenu();
    void dragBody(kit::Point pointer, kit::Point delta);
    void dragHandle(kit::Point delta);
    void dragKnob(kit::Point pointer);
    void drawSelection(kit::GraphicsContext& gc);
    void drawText(kit::GraphicsContext& gc);
    void drawEditingMarks(kit::GraphicsContext& gc);
    void editedText(const QString& text);

    kit::Point m_location;
    RelativeSize m_size;
    double m_scaleHeight = 0;

    std::optional<QString> m_text;
    std::optional<QFont> m_font;
    QColor m_textColor = Qt::black;
    std::optional<QColor> m_strokeColor = QColor(Qt::transparent);
    double m_strokeWidth = 0;
    bool m_dropShadow = false;
    QColor m_shadowColor;
    double m_shadowOffset = 4;
    double m_shadowRadius = 4;
    double m_shadowDegree = 180;
    double m_opacity = 100;
    kit::Path m_textPath;
    // While a style is applied, the outline is rebuilt once at the end.
    int m_deferLayout = 0;
    bool m_layoutPending = false;

    kit::Menu m_contextMenu;
    bool m_saving = false;

    // The press that a drag works from, in window coordinates.
    kit::Point m_lastPoint;
    kit::Rect m_lastRect; // the frame (box around the turned caption)
    kit::Rect m_lastUnrotated;
    int m_clickedRect = Body;

    bool m_editing = false;
    bool m_replaceOnType = false;
    QString m_textBeforeEditing;
};
