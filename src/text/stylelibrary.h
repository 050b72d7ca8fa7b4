#pragma once

// The text styles on disk: the shipped Styles folder of the resources and
// the person's own Styles folder beside their templates. A style's name
// (its title in menus) is its file's path below the folder without the
// extension, so styles in subfolders are named "folder/name".
//
// Menu tags tell the two apart: shipped styles are numbered from
// kShippedStyleTag, the person's from kUserStyleTag; only the latter can be
// removed.

#include <vector>

#include <QImage>
#include <QString>

inline constexpr int kShippedStyleTag = 100;
inline constexpr int kUserStyleTag = 1000;
// The side of the square a style's preview is fitted into in menus.
inline constexpr int kStylePreviewSide = 64;

struct StyleEntry
{
    QString title;
    int tag = 0;
};

// Every file below `folder` (subfolders included, in the order of
// kit::Folders::walk) whose extension reads "STYLE" upper-cased, tagged
// `firstTag`, `firstTag` + 1, ... Empty when the folder is missing.
std::vector<StyleEntry> stylesInFolder(const QString& folder, int firstTag);

// The shipped folder, and the person's folder (created with its parents when
// `create` is set and it is missing).
QString shippedStylesFolder();
QString userStylesFolder(bool create);

// The file a menu entry stands for: below the shipped folder for tags under
// kUserStyleTag, below the person's folder otherwise.
QString stylePathForEntry(const StyleEntry& entry);

// "<folder>/<title>.png" cropped to what it shows (its transparent margins
// go) and fitted into a square of `side` keeping its proportions; a null
// image when it is missing, unreadable or absurdly large.
QImage stylePreview(const QString& folder, const QString& title, int side = kStylePreviewSide);

// The picture of the built-in default entry ("default_style.png" among the
// application's images), fitted the same way; null when it is missing.
QImage defaultStylePreview(int side = kStylePreviewSide);

// The title under which the person's default style is listed: the
// "StyleName" preference, or the localised default entry's title.
QString currentDefaultStyleTitle();
