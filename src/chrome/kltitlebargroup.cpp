#include "kltitlebargroup.h"

#include "namedimage.h"

#include <algorithm>
#include <cmath>

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

namespace {

// The slider works in hundredths of the zoom factor.
constexpr int kZoomSteps = 100;
constexpr int kModeIconSize = 24;

const char* const kModeImages[] = { "framelayout", "freelayout", "seriallayout" };

// The translation of `key`, or `fallback` while no table provides one
// (qtTrId answers the key itself then).
QString localized(const char* key, const char* fallback)
{
    const QString text = qtTrId(key);
    return text == QLatin1String(key) ? QString::fromUtf8(fallback) : text;
}

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Plain);
    line->setFixedHeight(24);
    QPalette pal = line->palette();
    QColor c = pal.color(QPalette::WindowText);
    c.setAlphaF(0.2);
    pal.setColor(QPalette::WindowText, c);
    line->setPalette(pal);
    return line;
}

QToolButton* modeButton(QWidget* parent, const char* image)
{
    auto* button = new QToolButton(parent);
    button->setIcon(chrome::namedImage(QString::fromLatin1(image)));
    button->setIconSize(QSize(kModeIconSize, kModeIconSize));
    button->setAutoRaise(true);
    button->setCheckable(true);
    button->setFixedSize(36, 36);
    return button;
}

} // namespace

KLTitleBarGroup::KLTitleBarGroup(QWidget* parent) : QWidget(parent)
{
    m_layoutButton = modeButton(this, kModeImages[0]);
    m_freeLayoutButton = modeButton(this, kModeImages[1]);
    m_serialLayoutButton = modeButton(this, kModeImages[2]);
    auto* modes = new QButtonGroup(this);
    modes->setExclusive(true);
    int id = 0;
    for (QToolButton* b : { m_layoutButton, m_freeLayoutButton, m_serialLayoutButton })
        modes->addButton(b, id++);
    connect(modes, &QButtonGroup::buttonClicked, this,
            [this](QAbstractButton* b) { emit layoutButtonClicked(b); });

    m_canvasScale = new QSlider(Qt::Horizontal, this);
    m_canvasScale->setFixedWidth(120);
    m_canvasScale->setSingleStep(1);
    m_canvasScale->setPageStep(25);
    setZoomRange(1.0, 3.0);
    setZoomValue(1.0);
    connect(m_canvasScale, &QSlider::valueChanged, this, [this](int v) {
        if (!m_settingZoom)
            emit zoomValueChanged(double(v) / kZoomSteps);
    });
    m_imageScaleLabel = new QLabel(this);
    m_imageScaleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Wide enough for "500%" so the group does not change width (and jump)
    // while the zoom moves.
    m_imageScaleLabel->setMinimumWidth(
        m_imageScaleLabel->fontMetrics().horizontalAdvance(QStringLiteral("5000%")));

    m_scaleButton = new QPushButton(QStringLiteral("1:1"), this);
    m_scaleButton->setMinimumWidth(
        m_scaleButton->fontMetrics().horizontalAdvance(QStringLiteral("16:9")) + 32);
    m_styleViewButton = new QPushButton(this);
    connect(m_scaleButton, &QPushButton::clicked, this, &KLTitleBarGroup::scaleButtonClicked);
    connect(m_styleViewButton, &QPushButton::clicked, this,
            &KLTitleBarGroup::styleViewButtonClicked);

    m_roundCornerButton = new QCheckBox(this);
    m_hasShadowButton = new QCheckBox(this);
    connect(m_roundCornerButton, &QCheckBox::toggled, this, &KLTitleBarGroup::roundCornerToggled);
    connect(m_hasShadowButton, &QCheckBox::toggled, this, &KLTitleBarGroup::shadowToggled);

    m_addTextButton = new QToolButton(this);
    m_addTextButton->setIcon(chrome::namedImage(QStringLiteral("text")));
    m_addTextButton->setIconSize(QSize(kModeIconSize, kModeIconSize));
    m_addTextButton->setAutoRaise(true);
    m_addTextButton->setFixedSize(36, 36);
    m_saveButton = new QPushButton(this);
    m_saveButton->setDefault(false);
    connect(m_addTextButton, &QToolButton::clicked, this, &KLTitleBarGroup::addTextClicked);
    connect(m_saveButton, &QPushButton::clicked, this, &KLTitleBarGroup::saveClicked);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 0, 12, 0);
    row->setSpacing(6);
    row->addWidget(m_layoutButton);
    row->addWidget(m_freeLayoutButton);
    row->addWidget(m_serialLayoutButton);
    row->addSpacing(6);
    row->addWidget(separator(this));
    row->addSpacing(6);
    row->addWidget(m_canvasScale);
    row->addWidget(m_imageScaleLabel);
    row->addWidget(separator(this));
    row->addSpacing(6);
    row->addWidget(m_scaleButton);
    row->addWidget(m_styleViewButton);
    row->addSpacing(6);
    row->addWidget(separator(this));
    row->addSpacing(6);
    row->addWidget(m_roundCornerButton);
    row->addWidget(m_hasShadowButton);
    row->addSpacing(6);
    row->addWidget(separator(this));
    row->addSpacing(6);
    row->addWidget(m_addTextButton);
    row->addWidget(m_saveButton);

    // Controls that a mode hides keep their slot, so that the others stay
    // where the person last saw them.
    for (QWidget* slot :
         { static_cast<QWidget*>(m_scaleButton), static_cast<QWidget*>(m_roundCornerButton) }) {
        QSizePolicy policy = slot->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        slot->setSizePolicy(policy);
    }

    retranslate();
    m_imageScaleLabel->setText(localized("CANVAS_FIT", "Fit"));
    m_scaleButton->setToolTip(localized("TOOLTIP_RATIO", "Canvas ratio"));
    setSelectedMode(0);

    setFixedHeight(kBarHeight);
    adjustSize();
    if (parent) {
        m_watchedParent = parent;
        parent->installEventFilter(this);
        centreInParent();
    }
}

void KLTitleBarGroup::retranslate()
{
    m_layoutButton->setToolTip(localized("TOOLTIP_TEMPLATE_LAYOUT", "Template layout"));
    m_freeLayoutButton->setToolTip(localized("TOOLTIP_FREE_LAYOUT", "Free layout"));
    m_serialLayoutButton->setToolTip(localized("TOOLTIP_SERIAL_LAYOUT", "Serial layout"));
    m_canvasScale->setToolTip(localized("TOOLTIP_ZOOM", "Zoom"));
    m_styleViewButton->setText(localized("BUTTON_TEXT_STYLE", "Styles"));
    m_styleViewButton->setToolTip(localized("TOOLTIP_TEXT_STYLE", "Text styles"));
    m_roundCornerButton->setText(localized("CHECKBOX_ROUND_CORNER", "Rounded corners"));
    m_hasShadowButton->setText(localized("CHECKBOX_SHADOW", "Shadow"));
    m_addTextButton->setToolTip(localized("TOOLTIP_ADD_TEXT", "Add text"));
    m_saveButton->setText(localized("BUTTON_SAVE_CANVAS", "Save…"));
}

void KLTitleBarGroup::setSelectedMode(int mode)
{
    QToolButton* const buttons[] = { m_layoutButton, m_freeLayoutButton, m_serialLayoutButton };
    auto* group = m_layoutButton->group();
    // An exclusive group refuses to uncheck its last checked button.
    group->setExclusive(false);
    for (int i = 0; i < 3; ++i) {
        QToolButton* b = buttons[i];
        const QString name = QString::fromLatin1(kModeImages[i]);
        b->setIcon(chrome::namedImage(i == mode ? name + QStringLiteral("-selected") : name));
        b->setChecked(i == mode);
    }
    group->setExclusive(true);
}

double KLTitleBarGroup::zoomValue() const
{
    return double(m_canvasScale->value()) / kZoomSteps;
}

void KLTitleBarGroup::setZoomValue(double value)
{
    if (!std::isfinite(value))
        return;
    m_settingZoom = true;
    m_canvasScale->setValue(int(std::lround(value * kZoomSteps)));
    m_settingZoom = false;
}

double KLTitleBarGroup::zoomMinimum() const
{
    return double(m_canvasScale->minimum()) / kZoomSteps;
}

double KLTitleBarGroup::zoomMaximum() const
{
    return double(m_canvasScale->maximum()) / kZoomSteps;
}

void KLTitleBarGroup::setZoomRange(double minimum, double maximum)
{
    if (!std::isfinite(minimum) || !std::isfinite(maximum) || minimum > maximum)
        return;
    // Bounded so the hundredths fit an int whatever the caller passes.
    const double limit = 1e6;
    m_settingZoom = true;
    m_canvasScale->setRange(int(std::lround(std::clamp(minimum, -limit, limit) * kZoomSteps)),
                            int(std::lround(std::clamp(maximum, -limit, limit) * kZoomSteps)));
    m_settingZoom = false;
}

void KLTitleBarGroup::centreInParent()
{
    if (const QWidget* p = parentWidget())
        move((p->width() - width()) / 2, 0);
}

bool KLTitleBarGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedParent && event->type() == QEvent::Resize)
        centreInParent();
    return QWidget::eventFilter(watched, event);
}

bool KLTitleBarGroup::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        if (m_watchedParent)
            m_watchedParent->removeEventFilter(this);
        m_watchedParent = parentWidget();
        if (m_watchedParent) {
            m_watchedParent->installEventFilter(this);
            centreInParent();
        }
        break;
    case QEvent::Resize:
        centreInParent();
        break;
    case QEvent::LanguageChange:
        retranslate();
        // Texts of another length: the group takes the width they need.
        adjustSize();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}
