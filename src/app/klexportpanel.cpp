#include "klexportpanel.h"

#include "kit/defaults.h"
#include "kit/localisation.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace exportsettings;

namespace {

// Name filters by file type position; the files of other formats stay hidden.
QString nameFilter(int fileType)
{
    switch (formatForFileType(fileType)) {
    case kit::ImageFormat::Jpeg:
        return QStringLiteral("JPEG (*.jpg *.jpeg)");
    case kit::ImageFormat::Tiff:
        return QStringLiteral("TIFF (*.tiff *.tif)");
    case kit::ImageFormat::Bmp:
        return QStringLiteral("BMP (*.bmp)");
    case kit::ImageFormat::Png:
        break;
    }
    return QStringLiteral("PNG (*.png)");
}

} // namespace

KLExportPanel::KLExportPanel(QWidget* parent, kit::Defaults& defaults, kit::Size ratio)
    : QFileDialog(parent), m_defaults(defaults), m_ratio(ratio)
{
    // The accessory goes into the dialog's own layout, which only the
    // non-native dialog has; it also looks the same on every desktop.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setWindowTitle(kit::localized("EXPORT_PANEL_TITLE"));

    // The format pop-up of the accessory sets the filter; a second list of
    // types would only contradict it.
    for (const char* name : { "fileTypeLabel", "fileTypeCombo" }) {
        if (auto* w = findChild<QWidget*>(QLatin1StringView(name)))
            w->hide();
    }
    m_accessory = buildAccessory();
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(m_accessory, grid->rowCount(), 0, 1, grid->columnCount());
    else if (layout())
        layout()->addWidget(m_accessory);

    const int fileType = fileTypeOrDefault(m_defaults.intForKey(kSaveFileTypeKey));
    m_fileType->setCurrentIndex(fileType);
    _selectSizeType(sizeTypeOrDefault(m_defaults.intForKey(kSizeTypeKey)));
    m_reveal->setChecked(m_defaults.boolForKey(kOpenFolderKey).value_or(false));

    // A stored custom size is shown at the current ratio: one stored at
    // another ratio would otherwise stretch the collage.
    const auto w = m_defaults.doubleForKey(kSaveWidthKey);
    const auto h = m_defaults.doubleForKey(kSaveHeightKey);
    if (w)
        showCustomSize(linkedSizeAtEnd(Field::Width, std::max(0.0, *w), m_ratio));
    else if (h)
        showCustomSize(linkedSizeAtEnd(Field::Height, std::max(0.0, *h), m_ratio));

    setNameFilter(nameFilter(fileType));
    setDefaultSuffix(extensionForFileType(fileType));
    setDirectory(startFolder(m_defaults.stringForKey(kLastSaveDirKey), QDir::homePath()));
    selectFile(proposedFileName(fileType));

    connect(m_fileType, &QComboBox::activated, this, &KLExportPanel::saveTypeDidChanged);
    connect(m_sizeMatrix, &QButtonGroup::idClicked, this, &KLExportPanel::outputSizeDidChanged);
    for (const Field f : { Field::Width, Field::Height }) {
        connect(field(f), &QLineEdit::textEdited, this, [this, f] { controlTextDidChange(f); });
        connect(field(f), &QLineEdit::editingFinished, this,
                [this, f] { controlTextDidEndEditing(f); });
    }
}

QWidget* KLExportPanel::buildAccessory()
{
    auto* view = new QWidget(this);
    auto* grid = new QGridLayout(view);
    grid->setContentsMargins(0, 6, 0, 0);

    grid->addWidget(new QLabel(kit::localized("EXPORT_FILE_TYPE"), view), 0, 0);
    m_fileType = new QComboBox(view);
    for (int position = 0; position < kFileTypeCount; ++position)
        m_fileType->addItem(kit::formatName(formatForFileType(position)));
    grid->addWidget(m_fileType, 0, 1, Qt::AlignLeft);

    grid->addWidget(new QLabel(kit::localized("EXPORT_SIZE"), view), 1, 0);
    auto* cells = new QHBoxLayout;
    m_sizeMatrix = new QButtonGroup(view);
    const char* titles[kSizeTypeCount] = { "EXPORT_SIZE_SMALL", "EXPORT_SIZE_MIDDLE",
                                           "EXPORT_SIZE_BIG", "EXPORT_SIZE_CUSTOM" };
    for (int type = 0; type < kSizeTypeCount; ++type) {
        QString title = kit::localized(titles[type]);
        if (type != Custom)
            title = title.arg(widthForTag(kSizeTagBase + type));
        auto* cell = new QRadioButton(title, view);
        m_sizeMatrix->addButton(cell, kSizeTagBase + type);
        cells->addWidget(cell);
    }
    cells->addStretch(1);
    grid->addLayout(cells, 1, 1);

    auto* fields = new QHBoxLayout;
    m_widthLabel = new QLabel(kit::localized("EXPORT_WIDTH"), view);
    m_width = new QLineEdit(view);
    m_heightLabel = new QLabel(kit::localized("EXPORT_HEIGHT"), view);
    m_height = new QLineEdit(view);
    for (QLineEdit* f : { m_width, m_height }) {
        f->setMaxLength(12);
        f->setFixedWidth(f->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    }
    m_widthLabel->setBuddy(m_width);
    m_heightLabel->setBuddy(m_height);
    fields->addWidget(m_widthLabel);
    fields->addWidget(m_width);
    fields->addSpacing(12);
    fields->addWidget(m_heightLabel);
    fields->addWidget(m_height);
    fields->addStretch(1);
    grid->addLayout(fields, 2, 1);

    m_sizeMessage = new QLabel(view);
    m_sizeMessage->setWordWrap(true);
    QPalette warning = m_sizeMessage->palette();
    warning.setColor(QPalette::WindowText, QColor(0xc0, 0x1c, 0x28));
    m_sizeMessage->setPalette(warning);
    m_sizeMessage->hide();
    grid->addWidget(m_sizeMessage, 3, 1);

    m_reveal = new QCheckBox(kit::localized("EXPORT_REVEAL"), view);
    grid->addWidget(m_reveal, 4, 1);
    grid->setColumnStretch(1, 1);
    return view;
}

std::optional<ExportChoice> KLExportPanel::run()
{
    m_choice.reset();
    if (parentWidget())
        setWindowModality(Qt::WindowModal);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_choice;
}

void KLExportPanel::_selectSizeType(int sizeType)
{
    const int type = sizeTypeOrDefault(sizeType);
    if (QAbstractButton* cell = m_sizeMatrix->button(kSizeTagBase + type))
        cell->setChecked(true);
    m_width->setEnabled(type == Custom);
    m_height->setEnabled(type == Custom);
    if (type != Custom)
        m_sizeMessage->hide();
}

int KLExportPanel::selectedSizeType() const
{
    return sizeTypeOrDefault(m_sizeMatrix->checkedId() - kSizeTagBase);
}

int KLExportPanel::selectedFileType() const
{
    return fileTypeOrDefault(m_fileType->currentIndex());
}

void KLExportPanel::saveTypeDidChanged(int position)
{
    const int fileType = fileTypeOrDefault(position);
    setNameFilter(nameFilter(fileType));
    setDefaultSuffix(extensionForFileType(fileType));
    // The typed name follows the type at once, as it will be written.
    if (QLineEdit* name = fileNameEdit())
        name->setText(fileNameForType(name->text(), fileType));
}

void KLExportPanel::outputSizeDidChanged(int tag)
{
    _selectSizeType(tag - kSizeTagBase);
    m_defaults.set(kSizeTypeKey, selectedSizeType());
    m_defaults.synchronize();
}

QLineEdit* KLExportPanel::field(Field f) const
{
    return f == Field::Width ? m_width : m_height;
}

void KLExportPanel::controlTextDidChange(Field f)
{
    m_editing = f;
    m_lastEdited = f;
    const double typed = parseDimension(field(f)->text());
    const Field other = f == Field::Width ? Field::Height : Field::Width;
    field(other)->setText(formatDimension(linkedValueWhileTyping(f, typed, m_ratio)));
    m_sizeMessage->hide();
}

void KLExportPanel::controlTextDidEndEditing(Field f)
{
    // Leaving a field that was not typed in leaves both as they are (an
    // empty pair stays empty rather than turning into 0 × 0).
    if (m_editing != f)
        return;
    m_editing.reset();
    showCustomSize(linkedSizeAtEnd(f, parseDimension(field(f)->text()), m_ratio));
}

void KLExportPanel::showCustomSize(kit::Size size)
{
    m_width->setText(formatDimension(size.width));
    m_height->setText(formatDimension(size.height));
}

QLineEdit* KLExportPanel::fileNameEdit() const
{
    return findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

void KLExportPanel::accept()
{
    if (selectedSizeType() == Custom) {
        // The field typed in last decides, as if its editing had just ended.
        const Field f = m_editing.value_or(m_lastEdited);
        m_editing.reset();
        const kit::Size size = linkedSizeAtEnd(f, parseDimension(field(f)->text()), m_ratio);
        showCustomSize(size);
        if (parseDimension(m_width->text()) < 1 || parseDimension(m_height->text()) < 1) {
            m_sizeMessage->setText(kit::localized("EXPORT_SIZE_INVALID"));
            m_sizeMessage->show();
            field(f)->setFocus();
            return;
        }
    }
    if (QLineEdit* name = fileNameEdit())
        name->setText(fileNameForType(name->text(), selectedFileType()));
    QFileDialog::accept();
}

void KLExportPanel::done(int result)
{
    if (result == QDialog::Accepted) {
        const QString path = selectedFiles().value(0);
        if (!path.isEmpty()) {
            m_choice = makeChoice(path);
            storeChoice(*m_choice);
        }
    }
    QFileDialog::done(result);
}

ExportChoice KLExportPanel::makeChoice(const QString& selected) const
{
    ExportChoice c;
    c.fileType = selectedFileType();
    c.format = formatForFileType(c.fileType);
    c.path = QFileInfo(fileNameForType(selected, c.fileType)).absoluteFilePath();
    c.sizeType = selectedSizeType();
    if (c.sizeType == Custom)
        c.outputSize = { parseDimension(m_width->text()), parseDimension(m_height->text()) };
    else
        c.outputSize = ratioOutputSize(widthForTag(kSizeTagBase + c.sizeType), m_ratio);
    c.reveal = m_reveal->isChecked();
    return c;
}

void KLExportPanel::storeChoice(const ExportChoice& c)
{
    m_defaults.set(kSaveFileTypeKey, c.fileType);
    m_defaults.set(kSizeTypeKey, c.sizeType);
    m_defaults.set(kOpenFolderKey, c.reveal);
    if (c.sizeType == Custom) {
        m_defaults.set(kSaveWidthKey, c.outputSize.width);
        m_defaults.set(kSaveHeightKey, c.outputSize.height);
    }
    // The next export starts in the folder of this one.
    m_defaults.set(kLastSaveDirKey, QFileInfo(c.path).absolutePath());
    m_defaults.synchronize();
}
