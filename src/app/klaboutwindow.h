#pragma once

// The about window: icon, the application's display name, its version and
// the project's issue page as a link (which sends feedbackClicked()).

#include <QDialog>

class KLLinkLabel;
class QLabel;

class KLAboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit KLAboutWindow(QWidget* parent = nullptr);

    QLabel* productNameLabel() const { return m_productName; }
    QLabel* versionLabel() const { return m_version; }
    KLLinkLabel* feedbackLabel() const { return m_feedback; }

signals:
    void feedbackClicked();

private:
    QLabel* m_productName;
    QLabel* m_version;
    KLLinkLabel* m_feedback;
};
