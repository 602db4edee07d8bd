// The body assistant dialog: five colour lists kept in step with their panels and the preview.
#include "assistants/ui/bodyassistant.h"

#include "assistants/core/tagassistantcode.h"
#include "assistants/ui/colorbox.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace BodyAssistant;

namespace {

QColor ToColor(std::uint32_t rgb)
{
    return QColor::fromRgb(QRgb(rgb & 0xFFFFFFu));
}

QString CssColor(std::uint32_t rgb)
{
    return QLatin1Char('#') + TagAssistant::ColorToHtml(rgb);
}

QLabel *Title(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

TfrmBodyAssistant::TfrmBodyAssistant(QWidget *owner, const TBodyFields &fields) : QDialog(owner), m_fields(fields)
{
    setObjectName(QStringLiteral("frmBodyAssistant"));
    setWindowTitle(QStringLiteral("Body"));
    auto *layout = new QVBoxLayout(this);
    QLabel *title = Title(QStringLiteral("Body Assistent"));
    title->setObjectName(QStringLiteral("lblTitle"));
    layout->addWidget(title);

    auto *background = new QGroupBox(QStringLiteral("Background Image"));
    auto *imageGrid = new QGridLayout(background);
    m_image = new QLineEdit(fields.BackgroundImage);
    m_image->setObjectName(QStringLiteral("edtBGImg"));
    m_image->setMinimumWidth(280);
    auto *browse = new QPushButton(QStringLiteral("..."));
    browse->setObjectName(QStringLiteral("btnBGImg"));
    browse->setToolTip(QStringLiteral("Choose the background image"));
    browse->setFixedWidth(32);
    m_absPath = new QCheckBox(QStringLiteral("Absolute Path"));
    m_absPath->setObjectName(QStringLiteral("chkabsPath"));
    m_absPath->setChecked(fields.AbsolutePath);
    m_watermark = new QCheckBox(QStringLiteral("watermark (fixed position)"));
    m_watermark->setObjectName(QStringLiteral("chkWatermark"));
    m_watermark->setChecked(fields.Watermark);
    imageGrid->addWidget(m_image, 0, 0, 1, 2);
    imageGrid->addWidget(browse, 0, 2);
    imageGrid->addWidget(m_absPath, 1, 0);
    imageGrid->addWidget(m_watermark, 1, 1, 1, 2);
    layout->addWidget(background);

    auto *colors = new QGroupBox(QStringLiteral("Colors"));
    auto *colorRow = new QHBoxLayout(colors);
    auto *colorGrid = new QGridLayout;
    const std::array<std::uint32_t, 5> initial{fields.Background, fields.Text, fields.Link, fields.ActiveLink,
                                               fields.VisitedLink};
    // clang-format off
    static const std::array<std::array<const char *, 3>, 5> rows{{
        {"Background", "cbxbg", "c1"}, {"Text", "cbxtext", "c2"}, {"Link", "cbxlink", "c3"},
        {"Aktive Link", "cbxalink", "c4"}, {"Visited Link", "cbxvlink", "c5"},
    }};
    // clang-format on
    for (int i = 0; i < 5; ++i) {
        auto *label = new QLabel(QLatin1String(rows[i][0]));
        m_lists[i] = new TColorBox;
        m_lists[i]->setObjectName(QLatin1String(rows[i][1]));
        m_lists[i]->SetColor(initial[i]);
        label->setBuddy(m_lists[i]);
        m_panels[i] = new QPushButton(QStringLiteral("..."));
        m_panels[i]->setObjectName(QLatin1String(rows[i][2]));
        m_panels[i]->setToolTip(QStringLiteral("Choose any colour"));
        m_panels[i]->setFixedSize(32, m_lists[i]->sizeHint().height());
        m_colors[i] = initial[i];
        colorGrid->addWidget(label, i, 0);
        colorGrid->addWidget(m_lists[i], i, 1);
        colorGrid->addWidget(m_panels[i], i, 2);
        connect(m_lists[i], &TColorBox::colorChanged, this, &TfrmBodyAssistant::ListsChanged);
        connect(m_panels[i], &QPushButton::clicked, this, [this, i] { PanelClick(i); });
    }
    colorRow->addLayout(colorGrid);

    m_preview = new QFrame;
    m_preview->setObjectName(QStringLiteral("pnlBg"));
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setFrameShadow(QFrame::Sunken);
    m_preview->setAutoFillBackground(true);
    m_preview->setMinimumSize(150, 120);
    auto *previewLayout = new QVBoxLayout(m_preview);
    static const std::array<const char *, 4> previewTexts{"Text Color", "Link Color", "Active Link", "Visited Link"};
    for (int i = 0; i < 4; ++i) {
        m_previewLabels[i] = new QLabel(QLatin1String(previewTexts[i]));
        m_previewLabels[i]->setObjectName(QStringLiteral("l%1").arg(i + 1));
        m_previewLabels[i]->setAlignment(Qt::AlignCenter);
        if (i > 0) {
            QFont font = m_previewLabels[i]->font();
            font.setUnderline(true);
            m_previewLabels[i]->setFont(font);
        }
        previewLayout->addWidget(m_previewLabels[i]);
    }
    colorRow->addWidget(m_preview, 1);
    layout->addWidget(colors);

    auto *additional = new QGroupBox(QStringLiteral("Additional"));
    auto *more = new QGridLayout(additional);
    const auto spin = [](const char *name, int value) {
        auto *box = new QSpinBox;
        box->setObjectName(QLatin1String(name));
        box->setRange(0, kMaxMargin);
        box->setValue(value);
        return box;
    };
    m_marginTop = spin("spnMargTop", fields.MarginTop);
    m_marginLeft = spin("spnMargLeft", fields.MarginLeft);
    m_onLoad = new QLineEdit(fields.OnLoad);
    m_onLoad->setObjectName(QStringLiteral("edtJSOnLoad"));
    m_onUnLoad = new QLineEdit(fields.OnUnLoad);
    m_onUnLoad->setObjectName(QStringLiteral("edtJSOnUnLoad"));
    more->addWidget(new QLabel(QStringLiteral("Top Margin:")), 0, 0);
    more->addWidget(m_marginTop, 0, 1);
    more->addWidget(new QLabel(QStringLiteral("Left Margin:")), 0, 2);
    more->addWidget(m_marginLeft, 0, 3);
    more->addWidget(new QLabel(QStringLiteral("onLoad:")), 1, 0);
    more->addWidget(m_onLoad, 1, 1, 1, 3);
    more->addWidget(new QLabel(QStringLiteral("onUnLoad:")), 2, 0);
    more->addWidget(m_onUnLoad, 2, 1, 1, 3);
    more->setColumnStretch(4, 1);
    layout->addWidget(additional);

    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &TfrmBodyAssistant::btnBrowseClick);

    PickColor = [this](std::uint32_t &rgb) {
        const QColor color = QColorDialog::getColor(ToColor(rgb), this, QStringLiteral("Color"));
        if (!color.isValid())
            return false;
        rgb = color.rgb() & 0xFFFFFFu;
        return true;
    };
    ChooseImage = [this](const QString &caption, const QString &filter) {
        return QFileDialog::getOpenFileName(this, caption, QString(), filter);
    };
    ShowPanels();
}

TBodyFields TfrmBodyAssistant::Fields() const
{
    TBodyFields f = m_fields;
    f.BackgroundImage = m_image->text().trimmed();
    f.AbsolutePath = m_absPath->isChecked();
    f.Watermark = m_watermark->isChecked();
    f.Background = m_colors[0];
    f.Text = m_colors[1];
    f.Link = m_colors[2];
    f.ActiveLink = m_colors[3];
    f.VisitedLink = m_colors[4];
    f.MarginTop = m_marginTop->value();
    f.MarginLeft = m_marginLeft->value();
    f.OnLoad = m_onLoad->text();
    f.OnUnLoad = m_onUnLoad->text();
    return f;
}

void TfrmBodyAssistant::ListsChanged()
{
    for (int i = 0; i < 5; ++i)
        m_colors[i] = m_lists[i]->Color();
    ShowPanels();
}

void TfrmBodyAssistant::PanelClick(int index)
{
    std::uint32_t rgb = m_colors[index];
    if (!PickColor || !PickColor(rgb))
        return;
    m_colors[index] = rgb & 0xFFFFFFu;
    for (int i = 0; i < 5; ++i) {
        const QSignalBlocker quiet(m_lists[i]);
        m_lists[i]->SetColor(m_colors[i]);
    }
    ShowPanels();
}

void TfrmBodyAssistant::ShowPanels()
{
    for (int i = 0; i < 5; ++i) {
        const QColor color = ToColor(m_colors[i]);
        m_panels[i]->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid "
                                                  "palette(mid); }")
                                       .arg(CssColor(m_colors[i]), color.lightness() < 128 ? QStringLiteral("white")
                                                                                           : QStringLiteral("black")));
    }
    QPalette background = m_preview->palette();
    background.setColor(QPalette::Window, ToColor(m_colors[0]));
    m_preview->setPalette(background);
    for (int i = 0; i < 4; ++i) {
        QPalette p = m_previewLabels[i]->palette();
        p.setColor(QPalette::WindowText, ToColor(m_colors[i + 1]));
        m_previewLabels[i]->setPalette(p);
    }
}

void TfrmBodyAssistant::btnBrowseClick()
{
    if (!ChooseImage)
        return;
    const QString file = ChooseImage(QStringLiteral("Background Image"),
                                     QStringLiteral("Image Files (*.jpg *.jpeg *.png *.bmp *.gif);;All Files (*)"));
    if (!file.isEmpty())
        m_image->setText(file);
}
