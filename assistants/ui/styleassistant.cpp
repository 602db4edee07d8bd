// The style assistant dialog: the fields, the live preview and the colour samples.
#include "assistants/ui/styleassistant.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace StyleAssistant;

namespace {

QComboBox *EditableList(const char *name, const QStringList &items)
{
    auto *box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentIndex(-1); // nothing chosen until the user picks or types
    box->setMaxVisibleItems(16);
    return box;
}

QToolButton *StyleButton(const char *name, const QString &caption, void (QFont::*style)(bool))
{
    auto *button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setCheckable(true);
    button->setMinimumWidth(56);
    QFont font = button->font();
    (font.*style)(true);
    button->setFont(font);
    return button;
}

} // namespace

TfrmStyleAssistant::TfrmStyleAssistant(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmStyleAssistant"));
    setWindowTitle(QStringLiteral("Create New Style"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(BuildHeader());

    auto *fields = new QGridLayout;
    m_styleName = EditableList("cbxStyleName", StyleNames());
    m_font = new QFontComboBox;
    m_font->setObjectName(QStringLiteral("cbxFont"));
    m_font->setEditable(true);
    m_font->setCurrentIndex(-1);
    m_font->setEditText(QString());
    m_size = EditableList("cbxSize", SizeNames());
    m_align = EditableList("cbxAlign", AlignNames());
    const auto label = [](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text);
        l->setBuddy(buddy);
        return l;
    };
    fields->addWidget(label(QStringLiteral("&Style Name:"), m_styleName), 0, 0);
    fields->addWidget(m_styleName, 0, 1, 1, 3);
    fields->addWidget(label(QStringLiteral("&Font:"), m_font), 1, 0);
    fields->addWidget(m_font, 1, 1, 1, 3);
    fields->addWidget(label(QStringLiteral("Si&ze:"), m_size), 2, 0);
    fields->addWidget(m_size, 2, 1);
    fields->addWidget(label(QStringLiteral("&Alignment:"), m_align), 2, 2);
    fields->addWidget(m_align, 2, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    layout->addLayout(fields);

    auto *choices = new QHBoxLayout;
    auto *styleGroup = new QGroupBox(QStringLiteral("Style"));
    auto *styleRow = new QHBoxLayout(styleGroup);
    m_bold = StyleButton("btnBold", QStringLiteral("Bold"), &QFont::setBold);
    m_italic = StyleButton("btnItalic", QStringLiteral("Italic"), &QFont::setItalic);
    m_underline = StyleButton("btnUnderl", QStringLiteral("Underl"), &QFont::setUnderline);
    styleRow->addWidget(m_bold);
    styleRow->addWidget(m_italic);
    styleRow->addWidget(m_underline);
    choices->addWidget(styleGroup);

    auto *colorGroup = new QGroupBox(QStringLiteral("Colors"));
    auto *colorRow = new QVBoxLayout(colorGroup);
    QToolButton *speed1 = nullptr, *speed2 = nullptr;
    colorRow->addWidget(ColorSample(QStringLiteral(" Color"), "pnlColor", "SpeedButton1", &m_colorPanel, &speed1));
    colorRow->addWidget(
        ColorSample(QStringLiteral("Backgr. "), "pnlBGColor", "SpeedButton2", &m_bgColorPanel, &speed2));
    speed1->setToolTip(QStringLiteral("Choose the text colour"));
    speed2->setToolTip(QStringLiteral("Choose the background colour"));
    choices->addWidget(colorGroup);
    layout->addLayout(choices);

    auto *previewGroup = new QGroupBox(QStringLiteral("Preview"));
    auto *previewLayout = new QVBoxLayout(previewGroup);
    m_preview = new QLabel(QStringLiteral("Preview Text\nABCD abcd\n1234567890"));
    m_preview->setObjectName(QStringLiteral("lblPreview"));
    m_preview->setAutoFillBackground(true);
    // Large sizes are cut off at the group's edge instead of stretching the dialog.
    m_preview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_preview->setMinimumHeight(180);
    previewLayout->addWidget(m_preview);
    layout->addWidget(previewGroup, 1);
    m_previewFont = m_preview->font();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_font, &QComboBox::currentTextChanged, this, [this](const QString &family) {
        m_previewFont.setFamily(family.isEmpty() ? font().family() : family);
        UpdatePreview();
    });
    connect(m_size, &QComboBox::currentTextChanged, this, &TfrmStyleAssistant::SizeChanged);
    connect(m_align, &QComboBox::currentTextChanged, this, &TfrmStyleAssistant::UpdatePreview);
    for (QToolButton *button : {m_bold, m_italic, m_underline})
        connect(button, &QToolButton::toggled, this, &TfrmStyleAssistant::UpdatePreview);
    connect(speed1, &QToolButton::clicked, this, &TfrmStyleAssistant::SpeedButton1Click);
    connect(speed2, &QToolButton::clicked, this, &TfrmStyleAssistant::SpeedButton2Click);

    PickColor = [this](std::uint32_t initial, const QString &title) -> std::optional<std::uint32_t> {
        const QColor color = QColorDialog::getColor(QColor::fromRgb(QRgb(initial)), this, title);
        if (!color.isValid())
            return std::nullopt;
        return color.rgb() & 0xFFFFFFu;
    };

    ShowSample(m_colorPanel, std::nullopt);
    ShowSample(m_bgColorPanel, std::nullopt);
    UpdatePreview();
    m_styleName->setFocus();
    resize(440, sizeHint().height());
}

QWidget *TfrmStyleAssistant::BuildHeader()
{
    auto *header = new QLabel(QStringLiteral("Style Assistant"));
    header->setObjectName(QStringLiteral("imgLogo"));
    QFont font = header->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    header->setFont(font);
    header->setMargin(8);
    header->setStyleSheet(QStringLiteral("QLabel { color: white; background: qlineargradient(x1:0, y1:0, x2:1, "
                                         "y2:0, stop:0 #000080, stop:1 #1084D0); }"));
    return header;
}

QWidget *TfrmStyleAssistant::ColorSample(const QString &caption, const char *panelName, const char *buttonName,
                                         QFrame **panel, QToolButton **button)
{
    // The caption and button sit beside the sample, so a dark colour never hides them.
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *text = new QLabel(caption);
    text->setMinimumWidth(52);
    *panel = new QFrame;
    (*panel)->setObjectName(QLatin1String(panelName));
    (*panel)->setFrameShape(QFrame::Box);
    (*panel)->setFixedSize(44, 20);
    (*panel)->setAutoFillBackground(true);
    *button = new QToolButton;
    (*button)->setObjectName(QLatin1String(buttonName));
    (*button)->setText(QStringLiteral("..."));
    layout->addWidget(text);
    layout->addWidget(*panel);
    layout->addWidget(*button);
    layout->addStretch();
    return row;
}

void TfrmStyleAssistant::ShowSample(QFrame *panel, std::optional<std::uint32_t> rgb)
{
    QPalette palette = panel->palette();
    // The button face stands for "none chosen", as it does in the buttons around it.
    palette.setColor(QPalette::Window, rgb ? QColor::fromRgb(QRgb(*rgb)) : palette.color(QPalette::Button));
    panel->setPalette(palette);
}

void TfrmStyleAssistant::SpeedButton1Click()
{
    if (const std::optional<std::uint32_t> rgb = PickColor(m_color.value_or(0x000000), QStringLiteral("Text Color"))) {
        m_color = *rgb & 0xFFFFFFu;
        ShowSample(m_colorPanel, m_color);
        UpdatePreview();
    }
}

void TfrmStyleAssistant::SpeedButton2Click()
{
    if (const std::optional<std::uint32_t> rgb =
            PickColor(m_bgColor.value_or(0xFFFFFF), QStringLiteral("Background Color"))) {
        m_bgColor = *rgb & 0xFFFFFFu;
        ShowSample(m_bgColorPanel, m_bgColor);
        UpdatePreview();
    }
}

void TfrmStyleAssistant::SizeChanged(const QString &size)
{
    if (const std::optional<int> points = PreviewPointSize(size))
        m_previewFont.setPointSize(*points);
    UpdatePreview();
}

void TfrmStyleAssistant::UpdatePreview()
{
    QFont font = m_previewFont;
    font.setBold(m_bold->isChecked());
    font.setItalic(m_italic->isChecked());
    font.setUnderline(m_underline->isChecked());
    m_preview->setFont(font);

    switch (PreviewAlignment(m_align->currentText())) {
    case TPreviewAlign::Left: m_preview->setAlignment(Qt::AlignLeft | Qt::AlignVCenter); break;
    case TPreviewAlign::Right: m_preview->setAlignment(Qt::AlignRight | Qt::AlignVCenter); break;
    case TPreviewAlign::Center: m_preview->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter); break;
    }

    QPalette palette = this->palette();
    if (m_color)
        palette.setColor(QPalette::WindowText, QColor::fromRgb(QRgb(*m_color)));
    if (m_bgColor)
        palette.setColor(QPalette::Window, QColor::fromRgb(QRgb(*m_bgColor)));
    m_preview->setPalette(palette);
}

TStyleFields TfrmStyleAssistant::Fields() const
{
    TStyleFields f;
    f.Selector = m_styleName->currentText();
    f.Font = m_font->currentText();
    f.Size = m_size->currentText();
    f.Align = m_align->currentText();
    f.Bold = m_bold->isChecked();
    f.Italic = m_italic->isChecked();
    f.Underline = m_underline->isChecked();
    f.Color = m_color;
    f.Background = m_bgColor;
    return f;
}

QString TfrmStyleAssistant::Execute()
{
    return exec() == QDialog::Accepted ? Rule() : QString();
}
