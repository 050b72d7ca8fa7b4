// KLController: the commands of the canvases and the libraries (new canvas,
// quit, add caption, remove a library item, add photos, save) and the
// what's-new, about, help and feedback windows.

#include "klcontroller.h"

#include "helppages.h"
#include "klmainwindow.h"
#include "ratiotable.h"
#include "serial/klcombinview.h"

#include "border/klbackgroundlistview.h"
#include "kit/defaults.h"
#include "kit/folders.h"
#include "kit/localisation.h"
#include "kit/logging.h"
#include "template/klresourcelistview.h"
#include "template/klresourceview.h"

#include "chrome/kllinklabel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QUrl>

namespace {

// Photos any canvas takes.
const char* const kPhotoPatterns = "*.png *.jpg *.jpeg *.bmp *.tiff *.tif *.gif *.webp "
                                   "*.PNG *.JPG *.JPEG *.BMP *.TIFF *.TIF *.GIF *.WEBP";

// The window's message for photo files that could not be read.
QString unreadablePhotosText(const QStringList& failures)
{
    QStringList listed = failures.mid(0, KLController::kMaxListedFiles);
    if (failures.size() > KLController::kMaxListedFiles)
        listed.append(
            kit::localized("AND_MORE_FILES").arg(failures.size() - KLController::kMaxListedFiles));
    return kit::localized("PHOTOS_UNREADABLE") + QLatin1Char('\n') + listed.join(QLatin1Char('\n'));
}

} // namespace

// -- Canvas commands

void KLController::newCanvas()
{
    if (m_dialogs->ask(m_window.get(), kit::localized("QUESTION_TITLE"),
                       kit::localized("NEW_CANVAS"), Dialogs::Answer::Yes)
        != Dialogs::Answer::Yes)
        return;
    current().canvas->clear();
    windowDidResize();
    markLibraries();
}

bool KLController::windowShouldClose()
{
    // Quitting closes every window again; the answer was given already.
    if (m_terminating)
        return true;
    // Unsaved changes are asked about instead of the plain question.
    if (m_documents->isModified()) {
        if (!m_documents->maySetAside())
            return false;
    } else if (m_dialogs->ask(m_window.get(), kit::localized("QUESTION_TITLE"),
                              kit::localized("APP_QUIT"), Dialogs::Answer::Yes)
               != Dialogs::Answer::Yes) {
        return false;
    }
    m_autosave->discard();
    m_terminating = true;
    QCoreApplication::quit();
    return true;
}

void KLController::addText()
{
    KLCanvasView& canvas = *current().canvas;
    canvas.addTextView(kit::localized("DEFAULT_TEXT"), canvas.textAnchor());
}

// -- Library items

void KLController::informDeleteFailed(const QString& path)
{
    m_dialogs->inform(m_window.get(), kit::localized("WARNING_TITLE"),
                      kit::localized("DELETE_FAILED").arg(QFileInfo(path).fileName()),
                      kit::localized("BUTTON_OK"));
}

void KLController::removeItem()
{
    QWidget* parent = m_window.get();
    if (m_window->currentPage() != Page::Templates) {
        const std::optional<BackgroundEntry> entry = current().background;
        // What comes with the application stays; only the person's own goes.
        if (!entry || !entry->isPicture()
            || kit::Folders::isShipped(kit::LibraryFolder::Backgrounds, entry->path)) {
            m_dialogs->inform(parent, kit::localized("WARNING_TITLE"),
                              kit::localized("CAN_NOT_DELETE_IMAGE"), kit::localized("BUTTON_OK"));
            return;
        }
        if (m_dialogs->ask(parent, kit::localized("QUESTION_TITLE"), kit::localized("DELETE_IMAGE"),
                           Dialogs::Answer::No)
            != Dialogs::Answer::Yes)
            return;
        if (!backgroundListView()->removeView(*entry)) {
            informDeleteFailed(entry->path);
            return;
        }
        for (Mode mode : kModes) {
            if (m_modes[mode].canvas->backgroundView() == *entry)
                m_modes[mode].canvas->_setBackgroundView(std::nullopt);
        }
        current().background.reset();
        m_libraries->layout(Page::Backgrounds);
        markLibraries();
        return;
    }

    if (!m_currentResourceTemplate)
        return;
    if (resourceListView()->resourcePaths().size() == 1) {
        m_dialogs->inform(parent, kit::localized("WARNING_TITLE"),
                          kit::localized("NO_TEMPLATE_LEFT"), kit::localized("BUTTON_OK"));
        return;
    }
    if (kit::Folders::isShipped(kit::LibraryFolder::Templates, *m_currentResourceTemplate)) {
        m_dialogs->inform(parent, kit::localized("WARNING_TITLE"),
                          kit::localized("CAN_NOT_DELETE_TEMPLATE"), kit::localized("BUTTON_OK"));
        return;
    }
    if (m_dialogs->ask(parent, kit::localized("QUESTION_TITLE"), kit::localized("DELETE_TEMPLATE"),
                       Dialogs::Answer::No)
        != Dialogs::Answer::Yes)
        return;
    if (!resourceListView()->removeTemplate(*m_currentResourceTemplate)) {
        informDeleteFailed(*m_currentResourceTemplate);
        return;
    }
    const QStringList remaining = resourceListView()->resourcePaths();
    m_currentResourceTemplate.reset();
    if (!remaining.isEmpty() && loadTemplate(remaining.front())) {
        // The next template shows at its own ratio and lock at once.
        lockRatioButton(m_canvas->ratioLocked());
        recomputeCurrentFrame();
    }
    m_libraries->layout(Page::Templates);
    markLibraries();
}

// -- Photos

void KLController::addPhotos()
{
    const QStringList files = m_dialogs->chooseFiles(
        m_window.get(), kit::localized("ADD_PHOTOS_TITLE"),
        { kit::localized("FILE_TYPE_PHOTOS") + QStringLiteral(" (%1)").arg(kPhotoPatterns) });
    if (!files.isEmpty())
        openPhotos(files);
}

void KLController::openPhotos(const QStringList& files)
{
    KLCanvasView& canvas = *current().canvas;
    QStringList failures;
    std::vector<kit::Image> photos;
    for (const QString& file : files) {
        if (std::optional<kit::Image> photo = canvas.loadPhoto(file, failures))
            photos.push_back(std::move(*photo));
    }
    QStringList message;
    if (!failures.isEmpty())
        message.append(unreadablePhotosText(failures));
    if (m_currentMode == Mode::Template) {
        // Photos that found no cell join the recent drops, so a template
        // with more cells, chosen next, shows them too.
        const size_t placed = m_canvas->placePhotos(photos);
        for (size_t i = placed; i < photos.size(); ++i)
            layoutImageDropped(photos[i]);
        if (placed < photos.size())
            message.append(
                kit::localized("PHOTOS_KEPT_FOR_MORE_CELLS").arg(photos.size() - placed));
    } else {
        canvas.addPhotos(photos);
        if (m_currentMode == Mode::Serial)
            updateCombinFrame();
    }
    if (!message.isEmpty())
        m_window->showMessage(message.join(QLatin1Char('\n')));
}

void KLController::reportUnreadablePhotos(const QStringList& failures)
{
    if (!failures.isEmpty())
        m_window->showMessage(unreadablePhotosText(failures));
}

// -- Export

void KLController::saveCanvas()
{
    closePopUp();
    m_export->run(m_currentMode, *current().canvas, currentRatio());
}

kit::Size KLController::currentRatio() const
{
    // The serial canvas's ratio is its content's.
    const ModeState& state = m_modes[m_currentMode];
    return m_currentMode == Mode::Serial ? kit::Size(m_combinView->ratio(), 1)
                                         : ratios::table[state.ratioIndex];
}

void KLController::printCanvas()
{
    closePopUp();
    m_print->print(m_currentMode, *current().canvas, currentRatio());
}

void KLController::previewPrint()
{
    closePopUp();
    m_print->preview(m_currentMode, *current().canvas, currentRatio());
}

void KLController::exportPdf()
{
    closePopUp();
    m_print->exportPdf(m_currentMode, *current().canvas, currentRatio());
}

// -- Windows, help and feedback

QString KLController::majorVersion(const QString& version)
{
    return version.section(QLatin1Char('.'), 0, 0);
}

void KLController::showWhatsNew(bool byCommand)
{
    const QString major = majorVersion(QCoreApplication::applicationVersion());
    if (major.isEmpty())
        return;
    if (!m_whatsNewWindow) {
        m_whatsNewWindow = new KLWhatsNewWindow(m_window.get());
        connect(m_whatsNewWindow, &QDialog::finished, this, &KLController::storeWhatsNewChoice);
    }
    const std::optional<bool> stored =
        kit::Defaults::standard().boolForKey(QStringLiteral("WhatsNew_%1").arg(major));
    const bool show = stored.value_or(true);
    m_whatsNewWindow->displayWhenStartup()->setChecked(show);
    if (!show && !byCommand)
        return;

    KLWhatsNewWindow* w = m_whatsNewWindow;
    w->loadDocument();
    const QRect main = m_window->frameGeometry();
    w->move(main.topLeft()
            + QPoint((main.width() - w->width()) / 2, (main.height() - w->height()) / 2));
    w->show();
    w->raise();
    w->activateWindow();
}

void KLController::storeWhatsNewChoice()
{
    const QString major = majorVersion(QCoreApplication::applicationVersion());
    if (major.isEmpty() || !m_whatsNewWindow)
        return;
    kit::Defaults& defaults = kit::Defaults::standard();
    defaults.set(QStringLiteral("WhatsNew_%1").arg(major),
                 m_whatsNewWindow->displayWhenStartup()->isChecked());
    defaults.synchronize();
}

void KLController::showAbout()
{
    if (!m_aboutWindow) {
        m_aboutWindow = new KLAboutWindow(m_window.get());
        m_aboutWindow->setWindowTitle(
            kit::localized("ABOUT_MENU_ITEM").arg(kit::localized("CFBundleDisplayName")));
        m_aboutWindow->productNameLabel()->setText(kit::localized("CFBundleDisplayName"));
        const QUrl issues = helppages::issuesPage();
        m_aboutWindow->feedbackLabel()->setText(issues.toString());
        m_aboutWindow->feedbackLabel()->setVisible(!issues.isEmpty());
        connect(m_aboutWindow, &KLAboutWindow::feedbackClicked, this, &KLController::showFeedback);
    }
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral("1.0");
    m_aboutWindow->versionLabel()->setText(kit::localized("ABOUT_VERSION").arg(version));
    m_aboutWindow->adjustSize();
    // Centred on the main window, a little above its middle.
    const QRect main = m_window->frameGeometry();
    KLAboutWindow* w = m_aboutWindow;
    w->move(main.topLeft()
            + QPoint((main.width() - w->width()) / 2, (main.height() - w->height()) / 2 - 50));
    w->show();
    w->raise();
    w->activateWindow();
}

void KLController::quitAbout()
{
    if (m_aboutWindow)
        m_aboutWindow->hide();
}

void KLController::showHelp(const QString& language)
{
    const QUrl page = helppages::helpPage(language);
    if (page.isEmpty()) {
        m_dialogs->inform(m_window.get(), kit::localized("WARNING_TITLE"),
                          kit::localized("HELP_MISSING"), kit::localized("BUTTON_OK"));
        return;
    }
    openUrlOrSay(page);
}

void KLController::showFeedback()
{
    const QUrl issues = helppages::issuesPage();
    if (!issues.isEmpty())
        openUrlOrSay(issues);
}

void KLController::openUrlOrSay(const QUrl& url)
{
    if (m_dialogs->openUrl(url))
        return;
    const QString shown = url.isLocalFile() ? url.toLocalFile() : url.toString();
    m_dialogs->inform(m_window.get(), kit::localized("WARNING_TITLE"),
                      kit::localized("OPEN_URL_FAILED").arg(shown), kit::localized("BUTTON_OK"));
}
