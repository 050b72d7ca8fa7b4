#include "klpdfpanel.h"

#include "exportsettings.h"

#include "kit/defaults.h"
#include "kit/localisation.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

const char* const kPapers[] = { "A4", "Letter", "A3", "A5", "A6", "Legal", "Tabloid" };

QString withPdfExtension(const QString& path)
{
    if (path.isEmpty() || path.endsWith(u'/'))
        return path;
    return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
        ? path
        : path + QStringLiteral(".pdf");
}

} // namespace

KLPdfPanel::KLPdfPanel(QWidget* parent, kit::Defaults& defaults)
    : QFileDialog(parent), m_defaults(defaults)
{
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setWindowTitle(kit::localized("PDF_PANEL_TITLE"));
    setNameFilter(QStringLiteral("PDF (*.pdf)"));
    setDefaultSuffix(QStringLiteral("pdf"));

    auto* view = new QWidget(this);
    auto* grid = new QGridLayout(view);
    grid->setContentsMargins(0, 6, 0, 0);
    m_paper = new QComboBox(view);
    for (const char* paper : kPapers)
        m_paper->addItem(pagesetup::parsePaper(QLatin1String(paper))->name(), QLatin1String(paper));
    m_orientation = new QComboBox(view);
    for (const char* key : { "PDF_ORIENTATION_AUTO", "PDF_PORTRAIT", "PDF_LANDSCAPE" })
        m_orientation->addItem(kit::localized(key));
    m_dpi = new QSpinBox(view);
    m_dpi->setRange(pagesetup::kMinDpi, pagesetup::kMaxDpi);
    m_dpi->setSingleStep(50);
    m_dpi->setSuffix(kit::localized("PDF_DPI_SUFFIX"));
    const std::pair<const char*, QWidget*> rows[] = { { "PDF_PAPER", m_paper },
                                                      { "PDF_ORIENTATION", m_orientation },
                                                      { "PDF_RESOLUTION", m_dpi } };
    for (int row = 0; row < 3; ++row) {
        auto* label = new QLabel(kit::localized(rows[row].first), view);
        label->setBuddy(rows[row].second);
        grid->addWidget(label, row, 0);
        grid->addWidget(rows[row].second, row, 1, Qt::AlignLeft);
    }
    grid->setColumnStretch(1, 1);
    if (auto* dialogGrid = qobject_cast<QGridLayout*>(layout()))
        dialogGrid->addWidget(view, dialogGrid->rowCount(), 0, 1, dialogGrid->columnCount());
    else if (layout())
        layout()->addWidget(view);

    // The last choice, where it is still a valid one.
    const int paper = m_paper->findData(m_defaults.stringForKey(kPdfPaperKey).value_or(QString()));
    m_paper->setCurrentIndex(std::max(0, paper));
    const int orientation = m_defaults.intForKey(kPdfOrientationKey).value_or(0);
    m_orientation->setCurrentIndex(orientation >= 0 && orientation <= 2 ? orientation : 0);
    const int dpi = m_defaults.intForKey(kPdfDpiKey).value_or(pagesetup::kDefaultDpi);
    m_dpi->setValue(
        dpi >= pagesetup::kMinDpi && dpi <= pagesetup::kMaxDpi ? dpi : pagesetup::kDefaultDpi);

    setDirectory(exportsettings::startFolder(
        m_defaults.stringForKey(exportsettings::kLastSaveDirKey), QDir::homePath()));
    selectFile(QStringLiteral("Frame.pdf"));
}

std::optional<PdfChoice> KLPdfPanel::run()
{
    m_choice.reset();
    if (parentWidget())
        setWindowModality(Qt::WindowModal);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_choice;
}

void KLPdfPanel::accept()
{
    // The replace question names the file that will be written.
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(withPdfExtension(name->text()));
    QFileDialog::accept();
}

void KLPdfPanel::done(int result)
{
    if (result == QDialog::Accepted) {
        const QString path = selectedFiles().value(0);
        if (!path.isEmpty()) {
            m_choice = makeChoice(path);
            m_defaults.set(kPdfPaperKey, m_paper->currentData().toString());
            m_defaults.set(kPdfOrientationKey, m_orientation->currentIndex());
            m_defaults.set(kPdfDpiKey, m_dpi->value());
            m_defaults.set(exportsettings::kLastSaveDirKey,
                           QFileInfo(m_choice->path).absolutePath());
            m_defaults.synchronize();
        }
    }
    QFileDialog::done(result);
}

PdfChoice KLPdfPanel::makeChoice(const QString& selected) const
{
    PdfChoice c;
    c.path = QFileInfo(withPdfExtension(selected)).absoluteFilePath();
    c.options.paper = *pagesetup::parsePaper(m_paper->currentData().toString());
    if (m_orientation->currentIndex() == 1)
        c.options.orientation = QPageLayout::Portrait;
    else if (m_orientation->currentIndex() == 2)
        c.options.orientation = QPageLayout::Landscape;
    c.options.dpi = m_dpi->value();
    c.options.title = QFileInfo(c.path).completeBaseName();
    return c;
}
