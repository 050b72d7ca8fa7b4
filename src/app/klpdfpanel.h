#pragma once

// The save panel of File ▸ Export as PDF…: a file dialog with the page
// options below its file list (paper, orientation, resolution of the
// photos). It starts from the choice confirmed last and stores the new one
// when the person confirms.

#include "collagepdf.h"

#include <optional>

#include <QFileDialog>
#include <QLatin1StringView>

class QComboBox;
class QSpinBox;

namespace kit {
class Defaults;
}

// Preference keys of the PDF export.
inline constexpr QLatin1StringView kPdfPaperKey("PdfPaper"); // a paper name, "A4"
inline constexpr QLatin1StringView kPdfOrientationKey("PdfOrientation"); // 0 auto, 1, 2
inline constexpr QLatin1StringView kPdfDpiKey("PdfDpi");

struct PdfChoice
{
    QString path; // absolute, ending in ".pdf"
    PdfOptions options;
};

class KLPdfPanel : public QFileDialog
{
    Q_OBJECT
public:
    // `defaults` must outlive the panel.
    KLPdfPanel(QWidget* parent, kit::Defaults& defaults);

    // Shows the panel modal to its parent window; the confirmed choice, or
    // nothing when cancelled (nothing is stored then).
    std::optional<PdfChoice> run();

    QComboBox* paperPopUp() const { return m_paper; }
    QComboBox* orientationPopUp() const { return m_orientation; }
    QSpinBox* resolutionField() const { return m_dpi; }

public slots:
    void accept() override;
    void done(int result) override;

private:
    PdfChoice makeChoice(const QString& path) const;

    kit::Defaults& m_defaults;
    std::optional<PdfChoice> m_choice;
    QComboBox* m_paper = nullptr;
    QComboBox* m_orientation = nullptr;
    QSpinBox* m_dpi = nullptr;
};
