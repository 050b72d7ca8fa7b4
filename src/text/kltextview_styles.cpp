// A caption's styles and context menu: its look as a record, applying and
// saving style files, and the commands of its menu.

#include "kltextview.h"

#include "stylefile.h"
#include "stylelibrary.h"
#include "textfont.h"

#include "kit/imagewriter.h"
#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"

#include <cmath>

TextStyle KLTextView::styleRecord() const
{
    TextStyle s;
    s.text = text();
    s.height = m_size.height;
    s.ratio = m_size.ratio;
    s.scaleHeight = m_scaleHeight;
    if (m_font) {
        s.fontName = fontName(*m_font);
        s.fontSize = kit::f32(m_font->pointSizeF());
    }
    s.fontColor = m_textColor;
    s.strokeWidth = std::trunc(m_strokeWidth);
    s.strokeColor = m_strokeColor;
    s.shadow = m_dropShadow;
    s.shadowColor = m_shadowColor;
    s.shadowOffset = std::trunc(m_shadowOffset);
    s.shadowBlur = std::trunc(m_shadowRadius);
    s.shadowDegree = std::trunc(m_shadowDegree);
    s.opacity = m_opacity;
    return s;
}

void KLTextView::applyStyleWithDictionary(const TextStyle& style)
{
    // Every setter below would rebuild the outline; once is enough.
    ++m_deferLayout;
    if (style.scaleHeight > 0 && std::isfinite(style.scaleHeight))
        m_scaleHeight = style.scaleHeight;
    const double size = clampedStyleValue(style.fontSize, 0, TextStyleLimits::MaxFontSize);
    QString name = style.fontName;
    if (name.trimmed().isEmpty())
        name = m_font ? fontName(*m_font) : kit::localized("DEFAULT_TEXT_FONT");
    _setFont(fontFromName(name, size >= TextStyleLimits::MinFontSize ? size : 12));
    _setTextColor(style.fontColor.value_or(QColor(Qt::black)));
    _setShadowColor(style.shadowColor);
    _setStrokeColor(style.strokeColor);
    _setStrokeWidth(style.strokeWidth);
    _setShadowOffset(style.shadowOffset);
    _setShadowDegree(style.shadowDegree);
    _setShadowRadius(style.shadowBlur);
    _setDropShadow(style.shadow);
    _setOpacity(style.opacity);
    --m_deferLayout;
    if (m_deferLayout == 0 && m_layoutPending) {
        m_layoutPending = false;
        _updateText();
    }
}

bool KLTextView::applyStyle(const QString& path)
{
    const std::optional<TextStyle> style = readStyleFile(path);
    if (!style)
        return false;
    applyStyleWithDictionary(*style);
    return true;
}

QImage KLTextView::renderPreview()
{
    const bool wasSaving = m_saving;
    m_saving = true;
    setNeedsDisplay();
    QImage image = kit::renderToImage(*this);
    m_saving = wasSaving;
    setNeedsDisplay();
    return image;
}

bool KLTextView::saveStyle(const QString& path, QString* error)
{
    const TextStyle record = styleRecord();
    const QImage preview = renderPreview();
    QString reason;
    bool ok = true;
    if (preview.isNull()) {
        reason = QStringLiteral("the caption has no area to draw");
        ok = false;
    } else if (!kit::writeImage(preview, stylePreviewPath(path), kit::ImageFormat::Png, &reason)) {
        ok = false;
    }
    QString styleReason;
    if (!writeStyleFile(path, record, &styleReason)) {
        reason = styleReason;
        ok = false;
    }
    if (!ok) {
        kit::log(kit::lcText(), QStringLiteral("Save style '%1' failed: %2").arg(path, reason));
        if (error)
            *error = reason;
    }
    return ok;
}

// -- Commands

void KLTextView::bringToFront()
{
    kit::View* parent = superview();
    if (!parent || parent->subviews().back().get() == this)
        return;
    parent->addSubview(removeFromSuperview());
    if (kit::Window* w = window())
        w->makeFirstResponder(this);
    redrawSiblings();
}

void KLTextView::showProperties()
{
    post(kit::kTextViewDidSelected);
}

void KLTextView::saveProperties()
{
    post(kit::kTextViewSaving);
}

void KLTextView::clearStyle()
{
    applyStyleWithDictionary(factoryTextStyle());
    // A shown settings panel shows the new look.
    post(kit::kTextViewDidChanged);
}

void KLTextView::remove()
{
    // The canvas that observes this may destroy the caption inside the post.
    post(kit::kTextViewDeleted);
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewUnselected);
}

void KLTextView::chooseStyle(const StyleEntry& entry, bool isDefaultEntry)
{
    if (isDefaultEntry) {
        applyStyleWithDictionary(factoryTextStyle());
    } else {
        const QString path = stylePathForEntry(entry);
        kit::log(kit::lcText(), QStringLiteral("Style:%1").arg(path));
        applyStyle(path);
    }
    post(kit::kTextViewDidChanged);
    // Check-mark the chosen entry of the style submenu, and only it.
    for (kit::MenuItem& item : m_contextMenu.items) {
        for (kit::MenuItem& style : item.submenu) {
            if (!style.separator)
                style.checked = style.title == entry.title;
        }
    }
}

void KLTextView::buildContextMenu()
{
    using kit::MenuItem;
    auto command = [this](const char* key, void (KLTextView::*action)()) {
        MenuItem item;
        item.title = kit::localized(key);
        item.action = [this, action] {
            (this->*action)();
        };
        return item;
    };

    // The style submenu: the default entry, the shipped styles, the person's.
    std::vector<MenuItem> styles;
    const QString current = currentDefaultStyleTitle();
    auto addEntry = [&](const StyleEntry& entry, const QImage& icon, bool isDefault) {
        MenuItem item;
        item.title = entry.title;
        item.icon = icon;
        item.checked = entry.title == current;
        item.action = [this, entry, isDefault] {
            chooseStyle(entry, isDefault);
        };
        styles.push_back(std::move(item));
    };
    addEntry({ kit::localized("DEFAULT_TEXT_STYLE"), 0 }, defaultStylePreview(), true);
    styles.push_back(MenuItem::makeSeparator());
    const QString shipped = shippedStylesFolder();
    const std::vector<StyleEntry> shippedStyles = stylesInFolder(shipped, kShippedStyleTag);
    for (const StyleEntry& entry : shippedStyles)
        addEntry(entry, stylePreview(shipped, entry.title), false);
    if (!shippedStyles.empty())
        styles.push_back(MenuItem::makeSeparator());
    const QString user = userStylesFolder(true);
    for (const StyleEntry& entry : stylesInFolder(user, kUserStyleTag))
        addEntry(entry, stylePreview(user, entry.title), false);
    if (styles.back().separator)
        styles.pop_back();

    MenuItem styleList;
    styleList.title = kit::localized("STYLE_LIST");
    styleList.submenu = std::move(styles);

    m_contextMenu.items = {
        command("BRING_TO_FRONT", &KLTextView::bringToFront),
        command("SHOW_PROP", &KLTextView::showProperties),
        MenuItem::makeSeparator(),
        std::move(styleList),
        command("SAVE_TO_TEXT_LIBRARY", &KLTextView::saveProperties),
        command("CLEAR_STYLE", &KLTextView::clearStyle),
        MenuItem::makeSeparator(),
        command("REMOVE_ITEM", &KLTextView::remove),
    };
}
