#pragma once

// The controls shown at the top centre of the main window: the three layout
// mode buttons, the zoom slider with its label, the ratio and style buttons,
// the rounded-corner and shadow check boxes, the add-text and the save
// button. The group only shows controls; the controller wires them. The
// ratio button and the rounded-corner check box keep their place while
// hidden, so that no other control moves when a mode hides them. Placed
// in a parent (the window's top bar), it keeps itself horizontally centred
// at the parent's top whenever the parent is resized.

#include <QPointer>
#include <QWidget>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

class KLTitleBarGroup : public QWidget
{
    Q_OBJECT

public:
    // Height of the window's top bar that holds the group.
    static constexpr int kBarHeight = 60;

    explicit KLTitleBarGroup(QWidget* parent = nullptr);

    QToolButton* layoutButton() const { return m_layoutButton; }
    QToolButton* freeLayoutButton() const { return m_freeLayoutButton; }
    QToolButton* serialLayoutButton() const { return m_serialLayoutButton; }
    QSlider* canvasScale() const { return m_canvasScale; }
    QLabel* imageScaleLabel() const { return m_imageScaleLabel; }
    QPushButton* scaleButton() const { return m_scaleButton; }
    QPushButton* styleViewButton() const { return m_styleViewButton; }
    QCheckBox* roundCornerButton() const { return m_roundCornerButton; }
    QCheckBox* hasShadowButton() const { return m_hasShadowButton; }
    QToolButton* addTextButton() const { return m_addTextButton; }
    QPushButton* saveButton() const { return m_saveButton; }

    // Shows mode 0 (template), 1 (free) or 2 (serial) as chosen: its button
    // gets the "-selected" image and is checked, the others the plain one.
    // Other values show no mode as chosen.
    void setSelectedMode(int mode);

    // The zoom factor, in steps of 0.01. The setters clamp to the range and
    // never send zoomValueChanged: only the user's moves do.
    double zoomValue() const;
    void setZoomValue(double value);
    double zoomMinimum() const;
    double zoomMaximum() const;
    void setZoomRange(double minimum, double maximum);

    // x = (parent width − width) / 2, y = 0; nothing without a parent.
    void centreInParent();

signals:
    // The pressed mode button (one of the three above).
    void layoutButtonClicked(QAbstractButton* sender);
    void zoomValueChanged(double value);
    void scaleButtonClicked();
    void styleViewButtonClicked();
    void roundCornerToggled(bool on);
    void shadowToggled(bool on);
    void addTextClicked();
    void saveClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void retranslate();

    QToolButton* m_layoutButton;
    QToolButton* m_freeLayoutButton;
    QToolButton* m_serialLayoutButton;
    QSlider* m_canvasScale;
    QLabel* m_imageScaleLabel;
    QPushButton* m_scaleButton;
    QPushButton* m_styleViewButton;
    QCheckBox* m_roundCornerButton;
    QCheckBox* m_hasShadowButton;
    QToolButton* m_addTextButton;
    QPushButton* m_saveButton;
    bool m_settingZoom = false;
    QPointer<QWidget> m_watchedParent;
};
