#pragma once

// The what's-new window: the release notes of this version (the resource
// document WhatsNew.md, or its translation named by "WHATS_NEW_DOCUMENT")
// and a check box that says whether the window opens at start-up. It only
// shows; the controller decides when it opens and stores the check box when
// it closes (finished()).

#include <QDialog>

class QCheckBox;
class QTextBrowser;

class KLWhatsNewWindow : public QDialog
{
    Q_OBJECT

public:
    explicit KLWhatsNewWindow(QWidget* parent = nullptr);

    QTextBrowser* whatsNewText() const { return m_text; }
    QCheckBox* displayWhenStartup() const { return m_displayWhenStartup; }

    // Reads the document again from the resource folder; false when it is
    // missing or unreadable (the window then says so in its text).
    bool loadDocument();

private:
    QTextBrowser* m_text;
    QCheckBox* m_displayWhenStartup;
};
