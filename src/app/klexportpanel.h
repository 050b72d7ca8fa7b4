#pragma once

// The save panel of the export: a file dialog with the export options below
// its file list (file type, output size with the linked custom width and
// height, reveal in the file manager). It reads its start state from the
// preferences and stores the choice when the person confirms; the size choice
// is stored as soon as it changes.
//
// KLExportCommand (klexportcommand.cpp) shows how the save command uses it.
//
// For the serial mode pass the content's ratio as (r, 1); the fixed sizes and
// the custom width are then recomputed with serialOutputSize.

#include "exportsettings.h"

#include "kit/geometry.h"
#include "kit/imagewriter.h"

#include <optional>

#include <QFileDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kit {
class Defaults;
}

// What the person confirmed.
struct ExportChoice
{
    QString path; // absolute; its extension matches `format`
    int fileType = 0; // pop-up position 0 to 3
    kit::ImageFormat format = kit::ImageFormat::Png;
    int sizeType = exportsettings::Small; // 0 to 3
    // Fixed sizes: (320, 640 or 1024, width × rh / rw), not rounded. Custom:
    // the fields' whole numbers, at most 3072 each, at the panel's ratio.
    kit::Size outputSize;
    bool reveal = false;
};

class KLExportPanel : public QFileDialog
{
    Q_OBJECT
public:
    // `ratio` (rw, rh) is the current mode's ratio; it links the custom
    // fields and gives the fixed sizes their height. `defaults` must outlive
    // the panel.
    KLExportPanel(QWidget* parent, kit::Defaults& defaults, kit::Size ratio);

    // Shows the panel modal to its parent window and answers the confirmed
    // choice, or nothing when cancelled.
    std::optional<ExportChoice> run();
    // The choice of the last confirm, or nothing.
    const std::optional<ExportChoice>& choice() const { return m_choice; }

    // Shows size type 0 to 3 in the size choice (others show small) and
    // enables the custom fields exactly for 3. Stores nothing.
    void _selectSizeType(int sizeType);
    int selectedSizeType() const;
    int selectedFileType() const;

    // The controls, for the window's own tests.
    QComboBox* fileTypePopUp() const { return m_fileType; }
    QButtonGroup* sizeMatrix() const { return m_sizeMatrix; }
    QLineEdit* widthField() const { return m_width; }
    QLineEdit* heightField() const { return m_height; }
    QCheckBox* revealCheckBox() const { return m_reveal; }
    QLabel* sizeMessage() const { return m_sizeMessage; }
    QWidget* accessoryView() const { return m_accessory; }

public slots:
    // Confirms unless the custom size is unusable (then says so under the
    // fields and stays open). Gives the typed name the chosen extension
    // before the dialog's own checks, so the replace question names the file
    // that will be written.
    void accept() override;
    void done(int result) override;

private:
    QWidget* buildAccessory();
    void saveTypeDidChanged(int position);
    void outputSizeDidChanged(int tag);
    void controlTextDidChange(exportsettings::Field field);
    void controlTextDidEndEditing(exportsettings::Field field);
    void showCustomSize(kit::Size size);
    QLineEdit* field(exportsettings::Field f) const;
    QLineEdit* fileNameEdit() const;
    ExportChoice makeChoice(const QString& path) const;
    void storeChoice(const ExportChoice& choice);

    kit::Defaults& m_defaults;
    kit::Size m_ratio;
    std::optional<ExportChoice> m_choice;
    // The custom field typed in last and not yet tidied up by the end of its
    // editing.
    std::optional<exportsettings::Field> m_editing;
    exportsettings::Field m_lastEdited = exportsettings::Field::Width;

    // Owned by the dialog through the accessory view.
    QWidget* m_accessory = nullptr;
    QComboBox* m_fileType = nullptr;
    QButtonGroup* m_sizeMatrix = nullptr;
    QLabel* m_widthLabel = nullptr;
    QLabel* m_heightLabel = nullptr;
    QLineEdit* m_width = nullptr;
    QLineEdit* m_height = nullptr;
    QLabel* m_sizeMessage = nullptr;
    QCheckBox* m_reveal = nullptr;
};
