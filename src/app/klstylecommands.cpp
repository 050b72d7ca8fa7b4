#include "klstylecommands.h"

#include "dialogs.h"
#include "klmainwindow.h"
#include "kltextsettingscontroller.h"
#include "mode.h"

#include "chrome/klattachedwindow.h"
#include "kit/defaults.h"
#include "kit/folders.h"
#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/notificationnames.h"
#include "kit/window.h"
#include "text/kltextview.h"
#include "text/stylefile.h"
#include "text/stylelibrary.h"
#include "text/textstyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The previewer shows a style's picture fitted into this square.
constexpr int kPreviewerSide = 180;

QString styleNameKey()
{
    return QString::fromLatin1(kStyleNamePreference);
}

} // namespace

KLStyleCommands::KLStyleCommands(KLMainWindow& window, Dialogs& dialogs,
                                 QPointer<KLAttachedWindow>& popUp)
    : m_window(window), m_dialogs(dialogs), m_popUp(popUp)
{
    buildStyleView();
    kit::NotificationCenter& centre = kit::NotificationCenter::defaultCenter();
    m_observations.push_back(centre.addObserver(
        kit::kTextViewDidSelected, [this](KLTextView* caption) { textViewDidSelected(caption); }));
    m_observations.push_back(centre.addObserver(
        kit::kTextViewDidChanged, [this](KLTextView* caption) { textViewDidChanged(caption); }));
    m_observations.push_back(
        centre.addObserver(kit::kTextViewUnselected, [this] { textViewDidUnSelected(); }));
    m_observations.push_back(centre.addObserver(
        kit::kTextViewSaving, [this](KLTextView* caption) { textViewSaving(caption); }));
}

KLStyleCommands::~KLStyleCommands() = default;

// -- The settings panel

void KLStyleCommands::textViewDidSelected(KLTextView* caption)
{
    if (!caption)
        return;
    if (!m_textSettings) {
        m_textSettings = std::make_unique<KLTextSettingsController>(&m_window);
        // The panel is shown without taking the keyboard from a caption
        // that is being edited in place; it takes it when asked below.
        m_textSettings->textPanel()->setAttribute(Qt::WA_ShowWithoutActivating);
        connect(m_textSettings.get(), &KLTextSettingsController::panelClosed, this,
                [] { kit::log(kit::lcApp(), QStringLiteral("Remove child window.")); });
    }
    QWidget* panel = m_textSettings->textPanel();
    m_textSettings->placeBesideMainWindow();
    m_textSettings->_setTextView(caption);
    panel->show();
    panel->raise();
    if (caption->isEditing()) {
        // Typing goes on in the caption.
        m_window.activateWindow();
    } else {
        // Typing replaces the caption's text from the panel's field.
        panel->activateWindow();
        m_textSettings->text()->setFocus();
        m_textSettings->text()->selectAll();
    }
    if (kit::Window* w = caption->window())
        w->makeFirstResponder(caption);
    caption->setNeedsDisplay();
}

void KLStyleCommands::textViewDidChanged(KLTextView* caption)
{
    if (m_textSettings && m_textSettings->textPanel()->isVisible())
        m_textSettings->_setTextView(caption);
}

void KLStyleCommands::textViewDidUnSelected()
{
    if (m_textSettings && m_textSettings->textPanel()->isVisible())
        m_textSettings->textPanel()->hide();
}

// -- Saving a style

KLTextView* KLStyleCommands::currentSavingTextView() const
{
    return static_cast<KLTextView*>(m_savingTextView.get());
}

QString KLStyleCommands::_sanitizeFileNameString(const QString& name)
{
    static const QString removed = QStringLiteral("/\\?%*|\"<>");
    QString clean;
    clean.reserve(name.size());
    for (QChar c : name) {
        if (!removed.contains(c) && c.category() != QChar::Other_Control)
            clean.append(c);
    }
    while (clean.startsWith(u'.'))
        clean.remove(0, 1);
    return clean;
}

void KLStyleCommands::textViewSaving(KLTextView* caption)
{
    m_savingTextView = caption;
    for (;;) {
        const std::optional<QString> name = m_dialogs.askStyleName(&m_window, m_lastStyleName);
        if (!name)
            return;
        m_lastStyleName = *name;
        if (!currentSavingTextView())
            return; // the caption went while the window was open
        if (!_sanitizeFileNameString(*name).isEmpty()) {
            confirmSaveStyle(*name);
            return;
        }
        QApplication::beep();
    }
}

std::optional<QString> KLStyleCommands::confirmSaveStyle(const QString& name)
{
    KLTextView* caption = currentSavingTextView();
    const QString clean = _sanitizeFileNameString(name);
    if (!caption || clean.isEmpty()) {
        QApplication::beep();
        return std::nullopt;
    }
    const QString folder = userStylesFolder(true);
    const QString fileName = clean + QStringLiteral(".style");
    // When every numbered name is taken, the last one is written over.
    const QString path = kit::Folders::uniqueFilePath(folder, fileName)
                             .value_or(folder + u'/' + clean + QStringLiteral("-99999.style"));
    QString error;
    if (!caption->saveStyle(path, &error)) {
        m_dialogs.inform(&m_window, kit::localized("WARNING_TITLE"),
                         kit::localized("SAVE_STYLE_FAILED").arg(error),
                         kit::localized("BUTTON_OK"));
        return std::nullopt;
    }
    return path;
}

// -- The style pop-up

void KLStyleCommands::buildStyleView()
{
    // Kept hidden in the window while the pop-up is closed, like the ratio list.
    m_styleView = new QWidget(&m_window);
    m_styleView->setObjectName(QStringLiteral("styleView"));
    auto* layout = new QVBoxLayout(m_styleView);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    m_styleList = new QComboBox(m_styleView);
    m_styleList->setObjectName(QStringLiteral("styleListButton"));
    m_styleList->setIconSize(QSize(kStylePreviewSide, kStylePreviewSide / 3));
    m_styleList->setMinimumWidth(kPreviewerSide);
    connect(m_styleList, &QComboBox::activated, this, &KLStyleCommands::_selectStyle);
    connect(m_styleList, &QComboBox::highlighted, this, &KLStyleCommands::menuWillHighlightItem);
    layout->addWidget(m_styleList);
    m_previewer = new QLabel(m_styleView);
    m_previewer->setObjectName(QStringLiteral("stylePreviewer"));
    m_previewer->setFixedSize(kPreviewerSide, kPreviewerSide / 3);
    m_previewer->setAlignment(Qt::AlignCenter);
    m_previewer->setStyleSheet(QStringLiteral("background: #8a8a8e; border-radius: 3px;"));
    layout->addWidget(m_previewer);
    auto* row = new QHBoxLayout;
    m_makeDefault = new QCheckBox(m_styleView);
    m_makeDefault->setObjectName(QStringLiteral("makeDefaultStyleButton"));
    QFont small = m_makeDefault->font();
    small.setPointSize(11);
    m_makeDefault->setFont(small);
    m_makeDefault->setStyleSheet(QStringLiteral("color: white;"));
    connect(m_makeDefault, &QCheckBox::clicked, this, &KLStyleCommands::makeDefaultStyle);
    m_removeStyle = new QPushButton(kit::localized("BUTTON_REMOVE_STYLE"), m_styleView);
    m_removeStyle->setObjectName(QStringLiteral("removeStyleButton"));
    connect(m_removeStyle, &QPushButton::clicked, this, &KLStyleCommands::removeStyle);
    row->addWidget(m_makeDefault, 1);
    row->addWidget(m_removeStyle);
    layout->addLayout(row);
    m_styleView->hide();
}

void KLStyleCommands::showStyleView()
{
    if (m_popUp) {
        const int tag = m_popUp->tag();
        m_popUp->close();
        m_popUp = nullptr;
        if (tag == tags::kStylePopUp)
            return;
    }
    m_makeDefault->setText(kit::localized("MAKE_DEFAULT"));
    loadStyles();
    m_popUp = m_window.openStyleList(m_styleView, tags::kStylePopUp);
}

int KLStyleCommands::tagAt(int index) const
{
    return m_styleList->itemData(index).toInt();
}

QString KLStyleCommands::titleAt(int index) const
{
    return m_styleList->itemText(index);
}

void KLStyleCommands::addStyleItem(const QString& title, int tag)
{
    // Titles are unique: a person's style hides a shipped one of its name.
    for (int i = m_styleList->count() - 1; i >= 0; --i) {
        if (titleAt(i) == title && !m_styleList->itemData(i).isNull())
            m_styleList->removeItem(i);
    }
    QImage preview;
    if (tag == 0)
        preview = defaultStylePreview();
    else
        preview = stylePreview(
            tag < kUserStyleTag ? shippedStylesFolder() : userStylesFolder(false), title);
    m_styleList->addItem(preview.isNull() ? QIcon() : QIcon(QPixmap::fromImage(preview)), title,
                         tag);
}

void KLStyleCommands::loadStyles()
{
    const QString current = currentDefaultStyleTitle();
    const QSignalBlocker quiet(m_styleList);
    m_styleList->clear();
    addStyleItem(kit::localized("DEFAULT_TEXT_STYLE"), 0);
    m_styleList->insertSeparator(m_styleList->count());
    const QString shipped = shippedStylesFolder();
    if (QFileInfo(shipped).isDir()) {
        const std::vector<StyleEntry> entries = stylesInFolder(shipped, kShippedStyleTag);
        for (const StyleEntry& e : entries)
            addStyleItem(e.title, e.tag);
        if (!entries.empty())
            m_styleList->insertSeparator(m_styleList->count());
    }
    for (const StyleEntry& e : stylesInFolder(userStylesFolder(true), kUserStyleTag))
        addStyleItem(e.title, e.tag);

    int chosen = 0;
    for (int i = 0; i < m_styleList->count(); ++i) {
        if (!m_styleList->itemData(i).isNull() && titleAt(i) == current)
            chosen = i;
    }
    m_styleList->setCurrentIndex(chosen);
    menuWillHighlightItem(-1);
    m_makeDefault->setChecked(true);
    m_removeStyle->setEnabled(tagAt(chosen) > 999);
}

void KLStyleCommands::_selectStyle(int index)
{
    if (index < 0 || index >= m_styleList->count())
        return;
    m_makeDefault->setChecked(titleAt(index) == currentDefaultStyleTitle());
    m_removeStyle->setEnabled(tagAt(index) > 999);
    menuWillHighlightItem(index);
}

void KLStyleCommands::menuWillHighlightItem(int index)
{
    if (index < 0 || index >= m_styleList->count())
        index = std::max(0, m_styleList->currentIndex());
    const QString title = titleAt(index);
    const int tag = tagAt(index);
    QImage picture;
    if (title == kit::localized("DEFAULT_TEXT_STYLE") && tag == 0)
        picture = defaultStylePreview(kPreviewerSide);
    else if (!m_styleList->itemData(index).isNull())
        // Each style is previewed from the folder it lives in.
        picture =
            stylePreview(tag < kUserStyleTag ? shippedStylesFolder() : userStylesFolder(false),
                         title, kPreviewerSide);
    if (picture.isNull())
        m_previewer->clear();
    else
        m_previewer->setPixmap(QPixmap::fromImage(picture));
}

void KLStyleCommands::makeDefaultStyle()
{
    const QString title = titleAt(m_styleList->currentIndex());
    kit::Defaults& defaults = kit::Defaults::standard();
    if (m_makeDefault->isChecked())
        defaults.set(styleNameKey(), title);
    else if (defaults.stringForKey(styleNameKey()) == title)
        defaults.remove(styleNameKey());
    defaults.synchronize();
}

void KLStyleCommands::removeStyle()
{
    const int index = m_styleList->currentIndex();
    if (index < 0 || tagAt(index) < kUserStyleTag)
        return;
    if (m_dialogs.ask(&m_window, kit::localized("INFO_TITLE"), kit::localized("DELETE_STYLE"),
                      Dialogs::Answer::No)
        != Dialogs::Answer::Yes)
        return;
    const QString title = titleAt(index);
    const QString stylePath = userStylesFolder(false) + u'/' + title + QStringLiteral(".style");
    for (const QString& path : { stylePath, stylePreviewPath(stylePath) }) {
        if (QFileInfo(path).isFile())
            QFile::remove(path);
    }
    m_styleList->removeItem(index);
    m_styleList->setCurrentIndex(0);
    m_removeStyle->setEnabled(false);
    m_makeDefault->setChecked(titleAt(0) == currentDefaultStyleTitle());
    menuWillHighlightItem(0);
}
