#pragma once

// The main window's caption and text-style commands: it shows the caption
// settings panel while a caption is selected, saves a caption's style under
// a name the person gives, and runs the style pop-up of the top bar: the
// list of known styles with a preview, a check box that makes the chosen
// style the one new captions start with, and a button that removes the
// person's own styles.
//
// It learns of captions through the notification centre
// (kTextViewDidSelected, kTextViewDidChanged, kTextViewUnselected,
// kTextViewSaving) and never owns one.

#include "kit/notificationcenter.h"
#include "kit/view.h"

#include <memory>
#include <optional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

class Dialogs;
class KLAttachedWindow;
class KLMainWindow;
class KLTextSettingsController;
class KLTextView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

class KLStyleCommands : public QObject
{
    Q_OBJECT

public:
    // `popUp` is the window's one attached pop-up (the ratio list or the
    // style list), shared with the controller.
    KLStyleCommands(KLMainWindow& window, Dialogs& dialogs, QPointer<KLAttachedWindow>& popUp);
    ~KLStyleCommands() override;

    // -- The settings panel
    // Shows the panel (made on first use) beside the main window for the
    // caption, and makes the caption first responder. The panel takes the
    // keyboard unless the caption is being edited in place.
    void textViewDidSelected(KLTextView* caption);
    // A shown panel switches to the caption; a hidden one stays hidden.
    void textViewDidChanged(KLTextView* caption);
    // Hides a shown panel.
    void textViewDidUnSelected();
    // The panel, or null before the first caption was selected.
    KLTextSettingsController* textSettingsController() const { return m_textSettings.get(); }

    // -- Saving a style
    // Asks for a name (the field keeps the last one) and saves the
    // caption's style under it; an empty name asks again.
    void textViewSaving(KLTextView* caption);
    // Saves the style of the caption being saved as `name` in the person's
    // Styles folder: "<name>.style", or "<name>-1.style", "<name>-2.style",
    // ... when taken. The path written, or nothing: with a beep when the name
    // has nothing left after _sanitizeFileNameString, with a message when
    // the files cannot be written.
    std::optional<QString> confirmSaveStyle(const QString& name);
    KLTextView* currentSavingTextView() const;
    // `name` without the characters / \ ? % * | " < >, control characters and
    // leading dots (a name must not hide its file).
    static QString _sanitizeFileNameString(const QString& name);

    // -- The style pop-up
    // Opens the style list under the style button, or closes it when it is
    // open; another open pop-up just closes.
    void showStyleView();
    // Rebuilds the list: the default style, the shipped styles (tags from
    // 100), the person's (tags from 1000); selects the current default style.
    void loadStyles();
    // The person chose an entry: the check box tells whether it is the
    // default, the remove button whether it can be removed. No caption
    // changes.
    void _selectStyle(int index);
    // Shows the preview of an entry; -1 for the chosen one.
    void menuWillHighlightItem(int index);
    // Stores the chosen entry as the default style, or forgets it when the
    // box is turned off for the stored default.
    void makeDefaultStyle();
    // Removes the chosen user style and its preview, after asking.
    void removeStyle();

    QWidget* styleView() const { return m_styleView; }
    QComboBox* styleListButton() const { return m_styleList; }
    QCheckBox* makeDefaultStyleButton() const { return m_makeDefault; }
    QPushButton* removeStyleButton() const { return m_removeStyle; }
    QLabel* stylePreviewer() const { return m_previewer; }

private:
    void buildStyleView();
    // Adds an entry; an entry of the same title goes first.
    void addStyleItem(const QString& title, int tag);
    int tagAt(int index) const;
    QString titleAt(int index) const;

    KLMainWindow& m_window;
    Dialogs& m_dialogs;
    QPointer<KLAttachedWindow>& m_popUp;
    std::unique_ptr<KLTextSettingsController> m_textSettings;
    kit::ViewRef m_savingTextView;
    QString m_lastStyleName;
    std::vector<kit::Observation> m_observations;

    QPointer<QWidget> m_styleView; // owned by the main window while closed
    QComboBox* m_styleList = nullptr;
    QLabel* m_previewer = nullptr;
    QCheckBox* m_makeDefault = nullptr;
    QPushButton* m_removeStyle = nullptr;
};
