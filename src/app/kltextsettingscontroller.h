#pragma once

// The caption settings panel: a small tool window beside the main window
// that edits one caption at a time, its text, font, fill, outline, shadow
// and opacity. Every change goes straight to the caption through its
// setters, so the canvas shows it at once; the panel keeps no copy of the
// values. It refers to the caption without owning it and lets go of it when
// the caption is removed or destroyed.

#include "kit/notificationcenter.h"
#include "kit/view.h"

#include <vector>

#include <QObject>
#include <QPointer>

class KLColorWell;
class KLStepper;
class KLTextView;
class QCheckBox;
class QDial;
class QFont;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QWidget;

class KLTextSettingsController : public QObject
{
    Q_OBJECT

public:
    // The panel is a tool window of `mainWindow`, hidden until shown.
    explicit KLTextSettingsController(QWidget* mainWindow);
    ~KLTextSettingsController() override;

    QWidget* textPanel() const { return m_panel; }

    // Attaches a caption (none detaches) and shows its values in every
    // control. Without a caption the controls are off.
    void _setTextView(KLTextView* caption);
    KLTextView* textView() const;

    // Opens the font dialog on the caption's font and applies the choice.
    void chooseFont();
    // Gives the caption `font` as its nominal font.
    void changeFont(const QFont& font);

    // Where the panel lies the first time it is shown: beside the top right
    // corner of the main window, inside the screen.
    void placeBesideMainWindow();

    // -- Controls, for the window's owner and tests
    QPlainTextEdit* text() const { return m_text; }
    QLabel* fontDescriptions() const { return m_fontDescriptions; }
    QPushButton* fontButton() const { return m_fontButton; }
    KLColorWell* fillColor() const { return m_fillColor; }
    KLColorWell* strokeColor() const { return m_strokeColor; }
    QLineEdit* strokeWidth() const { return m_strokeWidth; }
    KLStepper* strokeWidthStepper() const { return m_strokeWidthStepper; }
    QCheckBox* dropShadow() const { return m_dropShadow; }
    KLColorWell* shadowColor() const { return m_shadowColor; }
    QLineEdit* shadowRadius() const { return m_shadowRadius; }
    KLStepper* shadowRadiusStepper() const { return m_shadowRadiusStepper; }
    QLineEdit* shadowOffset() const { return m_shadowOffset; }
    KLStepper* shadowOffsetStepper() const { return m_shadowOffsetStepper; }
    QDial* shadowDegree() const { return m_shadowDegree; }
    QSlider* opacity() const { return m_opacity; }

signals:
    // The person closed the panel's window.
    void panelClosed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanel(QWidget* mainWindow);
    void textDidChange();
    // A number field lost focus or took Return.
    void numberFieldEnded(QLineEdit* field);
    void stepperClicked(KLStepper* stepper, int value);
    void dropShadowChanged(bool on);
    void shadowDegreeChanged(int dialValue);
    void opacityChanged(int value);
    void enableShadowControls(bool on);
    void _updateFontDescription();

    QPointer<QWidget> m_panel;
    QPointer<QWidget> m_mainWindow;
    kit::ViewRef m_textView;
    // Set while the controls are filled from a caption, so that their change
    // signals do not write back.
    bool m_filling = false;
    bool m_placed = false;
    std::vector<kit::Observation> m_observations;

    QPlainTextEdit* m_text = nullptr;
    QLabel* m_fontDescriptions = nullptr;
    QPushButton* m_fontButton = nullptr;
    KLColorWell* m_fillColor = nullptr;
    KLColorWell* m_strokeColor = nullptr;
    QLineEdit* m_strokeWidth = nullptr;
    KLStepper* m_strokeWidthStepper = nullptr;
    QCheckBox* m_dropShadow = nullptr;
    KLColorWell* m_shadowColor = nullptr;
    QLineEdit* m_shadowRadius = nullptr;
    KLStepper* m_shadowRadiusStepper = nullptr;
    QLineEdit* m_shadowOffset = nullptr;
    KLStepper* m_shadowOffsetStepper = nullptr;
    QDial* m_shadowDegree = nullptr;
    QLabel* m_shadowDegreeLabel = nullptr;
    QSlider* m_opacity = nullptr;
    QLabel* m_opacityLabel = nullptr;
};
