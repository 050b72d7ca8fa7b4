#pragma once

// The look of a caption without its place: font, colours, outline, shadow
// and opacity, plus the caption's proportions. One record is shared by the
// factory style built in code, the styles shipped in the resources and the
// styles the person saves from a caption; every new caption on every canvas
// starts with defaultTextStyle().
//
// A style file holds the record as a property list (see stylefile.h); the
// fifteen keys below are the names it uses.

#include <optional>

#include <QColor>
#include <QString>

namespace TextStyleKey {
inline constexpr char String[] = "TextString";
inline constexpr char Height[] = "TextHeight";
inline constexpr char Ratio[] = "TextRatio";
inline constexpr char ScaleHeight[] = "TextScaleHeight";
inline constexpr char FontName[] = "TextFontName";
inline constexpr char FontSize[] = "TextFontSize";
inline constexpr char FontColor[] = "TextFontColor";
inline constexpr char StrokeWidth[] = "TextStrokeWidth";
inline constexpr char StrokeColor[] = "TextStrokeColor";
inline constexpr char Shadow[] = "TextShadow";
inline constexpr char ShadowColor[] = "TextShadowColor";
inline constexpr char ShadowOffset[] = "TextShadowOffset";
inline constexpr char ShadowBlur[] = "TextShadowBlur";
inline constexpr char ShadowDegree[] = "TextShadowDegree";
inline constexpr char Opacity[] = "TextOpacity";
} // namespace TextStyleKey

// A numeric or boolean key that a file leaves out reads as 0 or false; a
// colour that is missing or cannot be read is absent.
struct TextStyle
{
    // The caption's text; absent in the factory style.
    std::optional<QString> text;
    // Caption height as a fraction of the canvas height, and width ÷ height.
    double height = 0;
    double ratio = 0;
    // Caption height at which the font has its nominal size; 0 means not set.
    double scaleHeight = 0;
    // "Family" or "Family Style", as fontName() in textfont.h writes it.
    QString fontName;
    // Nominal size in points (single precision).
    double fontSize = 0;
    std::optional<QColor> fontColor;
    // Outline width in percent of the caption height (an integer in files).
    double strokeWidth = 0;
    std::optional<QColor> strokeColor;
    bool shadow = false;
    std::optional<QColor> shadowColor;
    // Shadow distance in fiftieths of the glyph outline's height.
    double shadowOffset = 0;
    double shadowBlur = 0;
    // 0 straight up, 90 to the right, 180 straight down.
    double shadowDegree = 0;
    // Percent, 0 to 100.
    double opacity = 0;

    bool operator==(const TextStyle&) const = default;
};

// The style built in code: a tenth of the canvas high, three times as wide,
// the localised default font at 16 points in black, no outline (clear), a
// dark grey shadow that is off, fully opaque. Has no text.
TextStyle factoryTextStyle();

// The style new captions start with: the user style named by the
// "StyleName" preference when its file in the user's Styles folder reads as
// a style, otherwise the factory style. Only the user folder is searched.
TextStyle defaultTextStyle();

// The preference that names the default style.
inline constexpr char kStyleNamePreference[] = "StyleName";

// Bounds that keep numbers from files and typed fields drawable: a value
// outside is clamped, one that is not a number reads as 0.
namespace TextStyleLimits {
inline constexpr double MaxFontSize = 1000;
inline constexpr double MinFontSize = 0.5;
inline constexpr double MaxStrokeWidth = 100;
inline constexpr double MaxShadowOffset = 1000;
inline constexpr double MaxShadowBlur = 100;
inline constexpr double MaxDegree = 1e6;
} // namespace TextStyleLimits

// v clamped to [lo, hi]; 0 (or lo when 0 is outside) for NaN.
double clampedStyleValue(double v, double lo, double hi);
