#pragma once

// The free layout's part of `tessera render`: where each photo goes.
//
//   --photo FILE[@X,Y[,S[,DEG]]]
//
// X and Y place the print's centre as fractions of the container measured
// from its top-left corner (default 0.5, 0.5); S is the photo's width as a
// fraction of the container's width (default 0.5); DEG turns the print
// counter-clockwise about its centre (default 0). A text after the last '@'
// that is not such a list belongs to the file name ("icon@2x.png").

#include "rendercommand.h"

#include "kit/geometry.h"
#include "kit/image.h"

#include <optional>
#include <variant>
#include <vector>

#include <QString>

class KLFreeLayoutView;

struct FreePhoto
{
    QString file;
    kit::Point at { 0.5, 0.5 };
    float scale = 0.5f;
    double degrees = 0;
};

// The placement, or a sentence saying what is wrong with it.
std::variant<FreePhoto, QString> parseFreePhoto(const QString& argument);

// The index of a ratio table entry written "W:H" ("3:2"), or none.
std::optional<int> ratioIndexForTitle(const QString& title);

// Adds each photo in order, as a drop at its point does (later ones on
// top), then gives it its scale and rotation. `images` match `photos`.
void placeFreePhotos(KLFreeLayoutView& canvas, const std::vector<FreePhoto>& photos,
                     const std::vector<kit::Image>& images);

// `tessera render --mode free`: each --photo a print at its place, on a
// canvas laid out 1024 wide at the output's ratio (--ratio W:H, 1:1 by
// default, or that of --size) and then sized for the output, as the
// editor's export does.
class FreeRenderMode : public RenderMode
{
public:
    QString name() const override { return QStringLiteral("free"); }
    QList<QCommandLineOption> options() const override;
    // --ratio, and the placements of the --photo values.
    std::optional<QString> readOptions(const QCommandLineParser& parser,
                                       const RenderOptions& options) override;
    QStringList photoFiles(const RenderOptions& options) const override;
    std::variant<RenderCanvas, RenderFailure> makeCanvas(const RenderOptions& options,
                                                         const std::vector<kit::Image>& photos,
                                                         OffscreenCollage& collage,
                                                         QTextStream& warnings) override;

private:
    std::vector<FreePhoto> m_photos;
    int m_ratioIndex = 0;
    bool m_ratioGiven = false;
};

// Gives the canvas the frame a window would show for an output of this
// size: 1024 wide at the output's ratio. Photos are placed on it, and it is
// then sized for the output.
KLFreeLayoutView& layOutFreeCanvas(KLFreeLayoutView& canvas, kit::Size output);
