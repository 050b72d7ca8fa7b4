// The main window's menu bar: File, Edit, View and Help, and the recent
// documents.
#include "klmainwindow.h"

#include "kit/localisation.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace {

bool chineseInterface()
{
    return kit::Localisation::language().startsWith(QStringLiteral("zh"));
}

} // namespace

void KLMainWindow::makeMenus()
{
    auto add = [this](QMenu* menu, const char* key, QKeySequence shortcut = {}) {
        QAction* action = menu->addAction(kit::localized(key));
        action->setShortcut(shortcut);
        return action;
    };

    QMenu* file = menuBar()->addMenu(kit::localized("MENU_FILE"));
    connect(add(file, "MENU_NEW", QKeySequence::New), &QAction::triggered, this,
            &KLMainWindow::newDocumentRequested);
    connect(add(file, "MENU_OPEN", QKeySequence::Open), &QAction::triggered, this,
            &KLMainWindow::openRequested);
    m_recentMenu = file->addMenu(kit::localized("MENU_OPEN_RECENT"));
    setRecentDocuments({});
    file->addSeparator();
    connect(add(file, "MENU_SAVE_DOCUMENT", QKeySequence::Save), &QAction::triggered, this,
            &KLMainWindow::saveDocumentRequested);
    connect(add(file, "MENU_SAVE_AS", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, &KLMainWindow::saveAsRequested);
    connect(add(file, "MENU_SAVE_COPY_WITH_PHOTOS"), &QAction::triggered, this,
            &KLMainWindow::saveCopyRequested);
    connect(add(file, "MENU_EXPORT", QKeySequence(Qt::CTRL | Qt::Key_E)), &QAction::triggered, this,
            &KLMainWindow::saveRequested);
    connect(add(file, "MENU_EXPORT_PDF", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)),
            &QAction::triggered, this, &KLMainWindow::pdfExportRequested);
    file->addSeparator();
    connect(add(file, "MENU_PRINT_PREVIEW"), &QAction::triggered, this,
            &KLMainWindow::printPreviewRequested);
    connect(add(file, "MENU_PRINT", QKeySequence::Print), &QAction::triggered, this,
            &KLMainWindow::printRequested);
    file->addSeparator();
    connect(add(file, "MENU_NEW_CANVAS", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)),
            &QAction::triggered, this, &KLMainWindow::newCanvasRequested);
    connect(add(file, "MENU_ADD_PHOTOS", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)),
            &QAction::triggered, this, &KLMainWindow::addPhotosRequested);
    file->addSeparator();
    // Titled with the application's display name (titleMenuItems).
    m_hideAction = file->addAction(QString());
    m_hideAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(m_hideAction, &QAction::triggered, this, &QWidget::showMinimized);
    m_quitAction = file->addAction(QString());
    m_quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_quitAction->setMenuRole(QAction::QuitRole);
    connect(m_quitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(kit::localized("MENU_EDIT"));
    m_undoAction = add(edit, "MENU_UNDO", QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(m_undoAction, &QAction::triggered, this, &KLMainWindow::undoRequested);
    m_redoAction = add(edit, "MENU_REDO", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(m_redoAction, &QAction::triggered, this, &KLMainWindow::redoRequested);
    setUndoRedo(std::nullopt, std::nullopt);

    QMenu* view = menuBar()->addMenu(kit::localized("MENU_VIEW"));
    struct Entry
    {
        const char* key;
        int tag;
        QKeyCombination keys;
    };
    const Entry entries[] = {
        { "MENU_TEMPLATE_LAYOUT", tags::layoutModeTag(Mode::Template), Qt::CTRL | Qt::Key_1 },
        { "MENU_FREE_LAYOUT", tags::layoutModeTag(Mode::FreeLayout), Qt::CTRL | Qt::Key_2 },
        { "MENU_SERIAL_LAYOUT", tags::layoutModeTag(Mode::Serial), Qt::CTRL | Qt::Key_3 },
        { "MENU_TEMPLATES_PAGE", tags::pageTag(Page::Templates), Qt::CTRL | Qt::SHIFT | Qt::Key_1 },
        { "MENU_BACKGROUNDS_PAGE", tags::pageTag(Page::Backgrounds),
          Qt::CTRL | Qt::SHIFT | Qt::Key_2 },
        { "MENU_BORDERS_PAGE", tags::pageTag(Page::Borders), Qt::CTRL | Qt::SHIFT | Qt::Key_3 },
    };
    QAction* zoomIn =
        view->addAction(kit::localized("MENU_ZOOM_IN"), this, &KLMainWindow::zoomInRequested);
    // Ctrl+= too: "+" needs Shift on most keyboards.
    zoomIn->setShortcuts(QKeySequence::keyBindings(QKeySequence::ZoomIn)
                         << QKeySequence(Qt::CTRL | Qt::Key_Equal));
    view->addAction(kit::localized("MENU_ZOOM_OUT"), QKeySequence::ZoomOut, this,
                    &KLMainWindow::zoomOutRequested);
    view->addAction(kit::localized("MENU_ZOOM_FIT"), QKeySequence(Qt::CTRL | Qt::Key_0), this,
                    &KLMainWindow::zoomToFitRequested);
    view->addSeparator();
    for (int i = 0; i < 6; ++i) {
        if (i == 3)
            view->addSeparator();
        QAction* action = add(view, entries[i].key, QKeySequence(entries[i].keys));
        const int tag = entries[i].tag;
        action->setData(tag);
        connect(action, &QAction::triggered, this, [this, tag] { emit viewCommand(tag); });
    }
    view->addSeparator();
    m_mediaBrowserAction =
        add(view, "MENU_MEDIA_BROWSER", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_M));
    m_mediaBrowserAction->setCheckable(true);
    m_mediaBrowserAction->setChecked(true);
    connect(m_mediaBrowserAction, &QAction::toggled, this, [this](bool shown) {
        m_photoView->setVisible(shown);
        emit mediaBrowserToggled(shown);
    });

    QMenu* help = menuBar()->addMenu(kit::localized("MENU_HELP"));
    connect(add(help, "MENU_WHATS_NEW"), &QAction::triggered, this,
            &KLMainWindow::whatsNewRequested);
    help->addSeparator();
    // The first help entry is in the interface language, the second offers
    // the other one.
    m_helpENAction = help->addAction(QString());
    m_helpENAction->setShortcut(QKeySequence::HelpContents);
    connect(m_helpENAction, &QAction::triggered, this,
            [this] { emit helpRequested(kit::Localisation::language()); });
    m_helpCNAction = help->addAction(QString());
    connect(m_helpCNAction, &QAction::triggered, this, [this] {
        emit helpRequested(chineseInterface() ? QStringLiteral("en") : QStringLiteral("zh_CN"));
    });
    m_feedbackAction = add(help, "MENU_FEEDBACK");
    connect(m_feedbackAction, &QAction::triggered, this, &KLMainWindow::feedbackRequested);
    help->addSeparator();
    m_aboutAction = help->addAction(QString());
    m_aboutAction->setMenuRole(QAction::AboutRole);
    connect(m_aboutAction, &QAction::triggered, this, &KLMainWindow::aboutRequested);
}

void KLMainWindow::titleMenuItems(const QString& name)
{
    m_aboutAction->setText(kit::localized("ABOUT_MENU_ITEM").arg(name));
    m_hideAction->setText(kit::localized("HIDE_MENU_ITEM").arg(name));
    m_quitAction->setText(kit::localized("QUIT_MENU_ITEM").arg(name));
    m_helpENAction->setText(kit::localized("HELP_MENU_ITEM").arg(name));
    m_helpCNAction->setText(
        kit::localized(chineseInterface() ? "HELP_EN_MENU_ITEM" : "HELP_CN_MENU_ITEM").arg(name));
}

void KLMainWindow::setFeedbackShown(bool shown)
{
    m_feedbackAction->setVisible(shown);
}

bool KLMainWindow::isFeedbackShown() const
{
    return m_feedbackAction->isVisible();
}

void KLMainWindow::setUndoRedo(const std::optional<QString>& undoName,
                               const std::optional<QString>& redoName)
{
    m_undoAction->setEnabled(undoName.has_value());
    m_undoAction->setText(undoName ? kit::localized("MENU_UNDO_STEP").arg(*undoName)
                                   : kit::localized("MENU_UNDO"));
    m_redoAction->setEnabled(redoName.has_value());
    m_redoAction->setText(redoName ? kit::localized("MENU_REDO_STEP").arg(*redoName)
                                   : kit::localized("MENU_REDO"));
}

void KLMainWindow::setRecentDocuments(const QStringList& paths)
{
    m_recentMenu->clear();
    for (const QString& path : paths) {
        QAction* action = m_recentMenu->addAction(QFileInfo(path).fileName());
        action->setToolTip(path);
        action->setData(path);
        connect(action, &QAction::triggered, this,
                [this, path] { emit openRecentRequested(path); });
    }
    m_recentMenu->addSeparator();
    QAction* clear = m_recentMenu->addAction(kit::localized("MENU_CLEAR_RECENT"));
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, &KLMainWindow::clearRecentRequested);
}
