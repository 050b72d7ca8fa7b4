#include "kltextsettingscontroller.h"

#include "klcolorwell.h"
#include "klstepper.h"

#include "kit/localisation.h"
#include "kit/notificationnames.h"
#include "kit/numbers.h"
#include "text/kltextview.h"
#include "text/textfont.h"

#include <cmath>

#include <QCheckBox>
#include <QDial>
#include <QEvent>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>

namespace {

// The steppers' ranges: outline width in percent of the caption height,
// blur radius and distance in the units the caption takes.
constexpr int kMaxStrokeStep = 20;
constexpr int kMaxShadowStep = 50;

QString wholeNumber(double v)
{
    return QString::number(std::isfinite(v) ? v : 0, 'f', 0);
}

// A QDial turns clockwise from its bottom; shadow directions turn clockwise
// from the top.
int dialValueForDegree(double degrees)
{
    const int d = int(std::lround(std::fmod(std::isfinite(degrees) ? degrees : 0, 360.0)));
    return ((d + 180) % 360 + 360) % 360;
}

int degreeForDialValue(int value)
{
    return (value + 180) % 360;
}

} // namespace

KLTextSettingsController::KLTextSettingsController(QWidget* mainWindow) : m_mainWindow(mainWindow)
{
    buildPanel(mainWindow);
    m_observations.push_back(kit::NotificationCenter::defaultCenter().addObserver(
        kit::kTextViewDeleted, [this](KLTextView* caption) {
            // A removed caption can no longer be edited from here.
            if (caption && caption == textView())
                _setTextView(nullptr);
        }));
    _setTextView(nullptr);
}

KLTextSettingsController::~KLTextSettingsController()
{
    delete m_panel;
}

KLTextView* KLTextSettingsController::textView() const
{
    return static_cast<KLTextView*>(m_textView.get());
}

void KLTextSettingsController::buildPanel(QWidget* mainWindow)
{
    m_panel = new QWidget(mainWindow, Qt::Tool);
    m_panel->setWindowTitle(kit::localized("TEXT_SETTINGS_TITLE"));
    m_panel->installEventFilter(this);
    auto* grid = new QGridLayout(m_panel);
    grid->setColumnStretch(1, 1);
    int row = 0;
    auto label = [&](const char* key) {
        auto* l = new QLabel(kit::localized(key), m_panel);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(l, row, 0);
        return l;
    };
    auto numberField = [&](KLStepper*& stepper, int maximum) {
        auto* field = new QLineEdit(m_panel);
        field->setFixedWidth(48);
        field->setAlignment(Qt::AlignRight);
        stepper = new KLStepper(m_panel);
        stepper->setRange(0, maximum);
        connect(field, &QLineEdit::editingFinished, this,
                [this, field] { numberFieldEnded(field); });
        connect(stepper, &KLStepper::clicked, this,
                [this, s = stepper](int value) { stepperClicked(s, value); });
        return field;
    };
    auto rowOf = [&](std::initializer_list<QWidget*> widgets) {
        auto* box = new QHBoxLayout;
        box->setSpacing(4);
        for (QWidget* w : widgets)
            box->addWidget(w);
        box->addStretch(1);
        grid->addLayout(box, row++, 1);
    };

    label("TEXT_SETTINGS_TEXT")->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_text = new QPlainTextEdit(m_panel);
    m_text->setTabChangesFocus(true);
    m_text->setFixedHeight(64);
    connect(m_text, &QPlainTextEdit::textChanged, this, &KLTextSettingsController::textDidChange);
    grid->addWidget(m_text, row++, 1);

    label("TEXT_SETTINGS_FONT");
    m_fontDescriptions = new QLabel(m_panel);
    m_fontButton = new QPushButton(kit::localized("TEXT_SETTINGS_CHOOSE_FONT"), m_panel);
    connect(m_fontButton, &QPushButton::clicked, this, &KLTextSettingsController::chooseFont);
    rowOf({ m_fontDescriptions, m_fontButton });

    label("TEXT_SETTINGS_FILL");
    m_fillColor = new KLColorWell(m_panel);
    connect(m_fillColor, &KLColorWell::colorChanged, this, [this](const QColor& c) {
        if (KLTextView* caption = textView())
            caption->_setTextColor(c);
    });
    rowOf({ m_fillColor });

    label("TEXT_SETTINGS_OUTLINE");
    m_strokeColor = new KLColorWell(m_panel);
    connect(m_strokeColor, &KLColorWell::colorChanged, this, [this](const QColor& c) {
        if (KLTextView* caption = textView())
            caption->_setStrokeColor(c);
    });
    m_strokeWidth = numberField(m_strokeWidthStepper, kMaxStrokeStep);
    rowOf({ m_strokeColor, new QLabel(kit::localized("TEXT_SETTINGS_WIDTH"), m_panel),
            m_strokeWidth, m_strokeWidthStepper });

    label("TEXT_SETTINGS_SHADOW");
    m_dropShadow = new QCheckBox(m_panel);
    connect(m_dropShadow, &QCheckBox::toggled, this, &KLTextSettingsController::dropShadowChanged);
    m_shadowColor = new KLColorWell(m_panel);
    connect(m_shadowColor, &KLColorWell::colorChanged, this, [this](const QColor& c) {
        if (KLTextView* caption = textView())
            caption->_setShadowColor(c);
    });
    rowOf({ m_dropShadow, m_shadowColor });

    label("TEXT_SETTINGS_BLUR");
    m_shadowRadius = numberField(m_shadowRadiusStepper, kMaxShadowStep);
    m_shadowOffset = numberField(m_shadowOffsetStepper, kMaxShadowStep);
    rowOf({ m_shadowRadius, m_shadowRadiusStepper,
            new QLabel(kit::localized("TEXT_SETTINGS_DISTANCE"), m_panel), m_shadowOffset,
            m_shadowOffsetStepper });

    label("TEXT_SETTINGS_DIRECTION");
    m_shadowDegree = new QDial(m_panel);
    m_shadowDegree->setRange(0, 359);
    m_shadowDegree->setWrapping(true);
    m_shadowDegree->setNotchesVisible(true);
    m_shadowDegree->setNotchTarget(15);
    m_shadowDegree->setFixedSize(56, 56);
    m_shadowDegreeLabel = new QLabel(m_panel);
    connect(m_shadowDegree, &QDial::valueChanged, this,
            &KLTextSettingsController::shadowDegreeChanged);
    rowOf({ m_shadowDegree, m_shadowDegreeLabel });

    label("TEXT_SETTINGS_OPACITY");
    m_opacity = new QSlider(Qt::Horizontal, m_panel);
    m_opacity->setRange(0, 100);
    m_opacityLabel = new QLabel(m_panel);
    m_opacityLabel->setMinimumWidth(36);
    connect(m_opacity, &QSlider::valueChanged, this, &KLTextSettingsController::opacityChanged);
    auto* opacityRow = new QHBoxLayout;
    opacityRow->addWidget(m_opacity, 1);
    opacityRow->addWidget(m_opacityLabel);
    grid->addLayout(opacityRow, row++, 1);

    m_panel->setFixedWidth(m_panel->sizeHint().width() + 40);
}

void KLTextSettingsController::placeBesideMainWindow()
{
    if (!m_panel || !m_mainWindow || m_placed)
        return;
    m_placed = true;
    m_panel->adjustSize();
    const QRect main = m_mainWindow->frameGeometry();
    QPoint at(main.right() - m_panel->width() - 24, main.top() + 90);
    if (const QScreen* screen = m_mainWindow->screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(),
                           std::max(room.left(), room.right() - m_panel->width())));
        at.setY(std::clamp(at.y(), room.top(),
                           std::max(room.top(), room.bottom() - m_panel->height())));
    }
    m_panel->move(at);
}

bool KLTextSettingsController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Close)
        emit panelClosed();
    return QObject::eventFilter(watched, event);
}

// -- Attaching

void KLTextSettingsController::_setTextView(KLTextView* caption)
{
    m_textView = caption;
    m_filling = true;
    const bool on = caption != nullptr;
    for (QWidget* w : m_panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        w->setEnabled(on);
    if (caption) {
        if (m_text->toPlainText() != caption->text())
            m_text->setPlainText(caption->text());
        _updateFontDescription();
        m_fillColor->setColor(caption->textColor());
        m_strokeColor->setColor(caption->strokeColor().value_or(QColor(Qt::transparent)));
        m_strokeWidth->setText(wholeNumber(caption->strokeWidth()));
        m_strokeWidthStepper->setValue(caption->strokeWidth());
        m_dropShadow->setChecked(caption->dropShadow());
        m_shadowColor->setColor(caption->shadowColor());
        m_shadowDegree->setValue(dialValueForDegree(caption->shadowDegree()));
        m_shadowDegreeLabel->setText(wholeNumber(caption->shadowDegree()) + u'°');
        m_shadowRadius->setText(wholeNumber(caption->shadowRadius()));
        m_shadowRadiusStepper->setValue(caption->shadowRadius());
        m_shadowOffset->setText(wholeNumber(caption->shadowOffset()));
        m_shadowOffsetStepper->setValue(caption->shadowOffset());
        m_opacity->setValue(int(std::lround(caption->opacity())));
        m_opacityLabel->setText(wholeNumber(caption->opacity()) + u'%');
        enableShadowControls(caption->dropShadow());
    } else {
        m_text->clear();
        m_fontDescriptions->clear();
    }
    m_filling = false;
}

void KLTextSettingsController::enableShadowControls(bool on)
{
    for (QWidget* w :
         std::initializer_list<QWidget*> { m_shadowColor, m_shadowRadius, m_shadowRadiusStepper,
                                           m_shadowOffset, m_shadowOffsetStepper, m_shadowDegree })
        w->setEnabled(on);
}

void KLTextSettingsController::_updateFontDescription()
{
    const KLTextView* caption = textView();
    if (!caption || !caption->font()) {
        m_fontDescriptions->clear();
        return;
    }
    const QFont font = *caption->font();
    // The nominal size, not the size the caption draws at.
    m_fontDescriptions->setText(
        QStringLiteral("%1 %2pt").arg(fontName(font), wholeNumber(font.pointSizeF())));
}

// -- Edits

void KLTextSettingsController::textDidChange()
{
    if (m_filling)
        return;
    if (KLTextView* caption = textView())
        caption->_setText(m_text->toPlainText());
}

void KLTextSettingsController::numberFieldEnded(QLineEdit* field)
{
    KLTextView* caption = textView();
    if (m_filling || !caption)
        return;
    // Text that does not start with a number counts as 0.
    const double value = kit::floatValue(field->text());
    if (field == m_strokeWidth) {
        caption->_setStrokeWidth(value);
        m_strokeWidthStepper->setValue(caption->strokeWidth());
    } else if (field == m_shadowOffset) {
        caption->_setShadowOffset(value);
        m_shadowOffsetStepper->setValue(caption->shadowOffset());
    } else if (field == m_shadowRadius) {
        caption->_setShadowRadius(value);
        m_shadowRadiusStepper->setValue(caption->shadowRadius());
    }
}

void KLTextSettingsController::stepperClicked(KLStepper* stepper, int value)
{
    KLTextView* caption = textView();
    if (!caption)
        return;
    const QString shown = QString::number(value);
    if (stepper == m_strokeWidthStepper) {
        m_strokeWidth->setText(shown);
        caption->_setStrokeWidth(value);
    } else if (stepper == m_shadowRadiusStepper) {
        m_shadowRadius->setText(shown);
        caption->_setShadowRadius(value);
    } else if (stepper == m_shadowOffsetStepper) {
        m_shadowOffset->setText(shown);
        caption->_setShadowOffset(value);
    }
}

void KLTextSettingsController::dropShadowChanged(bool on)
{
    KLTextView* caption = textView();
    if (m_filling || !caption)
        return;
    caption->_setDropShadow(on);
    enableShadowControls(caption->dropShadow());
}

void KLTextSettingsController::shadowDegreeChanged(int dialValue)
{
    KLTextView* caption = textView();
    if (m_filling || !caption)
        return;
    caption->_setShadowDegree(degreeForDialValue(dialValue));
    m_shadowDegreeLabel->setText(wholeNumber(caption->shadowDegree()) + u'°');
}

void KLTextSettingsController::opacityChanged(int value)
{
    KLTextView* caption = textView();
    if (m_filling || !caption)
        return;
    caption->_setOpacity(value);
    m_opacityLabel->setText(wholeNumber(caption->opacity()) + u'%');
}

// -- Font

void KLTextSettingsController::chooseFont()
{
    KLTextView* caption = textView();
    if (!caption)
        return;
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, caption->font().value_or(QFont()), m_panel,
                                              kit::localized("TEXT_SETTINGS_FONT"));
    // The caption may have gone while the dialog was open.
    if (ok && textView() == caption)
        changeFont(chosen);
}

void KLTextSettingsController::changeFont(const QFont& font)
{
    KLTextView* caption = textView();
    if (!caption)
        return;
    caption->_setFont(font);
    _updateFontDescription();
}
