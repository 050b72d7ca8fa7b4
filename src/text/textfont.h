#pragma once

// Fonts by name, as style files store them: "Family" for a family's regular
// face, "Family Style" for another face ("DejaVu Sans Bold", "Comic Neue
// Bold Italic"). Sizes are nominal sizes in points, where a point is one
// unit of the canvas (so they do not depend on the screen's resolution).

#include <QFont>
#include <QString>

// The name of the face that `font` resolves to.
QString fontName(const QFont& font);

// The font a name stands for at `pointSize`: the longest installed family
// that the name starts with, and the rest of the name as its style. A family
// that is not installed is asked for as it stands, so the font system picks
// its nearest match.
QFont fontFromName(const QString& name, double pointSize);
