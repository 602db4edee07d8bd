// The Colors page: foreground, background, bold and italic of each token kind and the editor's
// own colours, with a sample page that shows every change at once.
#include "prefs/ui/colorspage.h"

#include "editor/core/codeedit.h"
#include "editor/ui/codeeditview.h"
#include "highlight/core/highlighterlink.h"
#include "highlight/core/htmlsyn.h"
#include "highlight/ui/highlightertokens.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const kSample = "<!-- a sample page -->\n"
                            "<html>\n"
                            "<head><title>Sample &amp; more</title></head>\n"
                            "<body bgcolor=\"#FFFFFF\" text=black>\n"
                            "<p align=center>Some text, an entity &copy; and a <blink>made-up tag</blink>.</p>\n"
                            "<% server script %>\n"
                            "</body>\n"
                            "</html>";

QIcon Swatch(TColor color)
{
    QPixmap pixmap(24, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    if (color == clNone) {
        p.drawRect(0, 0, 23, 13);
        p.drawLine(0, 13, 23, 0);
    } else {
        p.fillRect(pixmap.rect(), ToQColor(color));
        p.drawRect(0, 0, 23, 13);
    }
    return QIcon(pixmap);
}

TColor FromQColor(const QColor &color)
{
    return RGBToColor(color.red(), color.green(), color.blue());
}

} // namespace

TfrmColors::TfrmColors(const TEditorScheme &colors, QWidget *parent) : QDialog(parent), m_colors(colors)
{
    setObjectName(QStringLiteral("frmColors"));
    setWindowTitle(QStringLiteral("Colors"));

    m_lbAttributes = new QListWidget(this);
    m_lbAttributes->setObjectName(QStringLiteral("lbAttributes"));
    m_lbAttributes->addItem(QStringLiteral("Editor (background and text)"));
    for (const TSchemeAttribute &a : std::as_const(m_colors.Attributes))
        m_lbAttributes->addItem(a.Name);
    m_lbAttributes->setMaximumWidth(220);

    m_btnForeground = new QPushButton(QStringLiteral("&Foreground..."), this);
    m_btnForeground->setObjectName(QStringLiteral("btnForeground"));
    m_btnBackground = new QPushButton(QStringLiteral("&Background..."), this);
    m_btnBackground->setObjectName(QStringLiteral("btnBackground"));
    m_chkDefaultForeground = new QCheckBox(QStringLiteral("Editor's text colour"), this);
    m_chkDefaultForeground->setObjectName(QStringLiteral("chkDefaultForeground"));
    m_chkDefaultBackground = new QCheckBox(QStringLiteral("Editor's background"), this);
    m_chkDefaultBackground->setObjectName(QStringLiteral("chkDefaultBackground"));
    m_chkBold = new QCheckBox(QStringLiteral("B&old"), this);
    m_chkBold->setObjectName(QStringLiteral("chkBold"));
    m_chkItalic = new QCheckBox(QStringLiteral("&Italic"), this);
    m_chkItalic->setObjectName(QStringLiteral("chkItalic"));

    m_sampleSyn = std::make_unique<THTMLSyn>();
    m_sampleLink = std::make_unique<THighlighterLink>(m_sampleSyn.get());
    m_sampleTokens = std::make_unique<THighlighterTokens>(m_sampleSyn.get());
    m_sampleEdit = new TCodeEdit(this);
    m_sampleEdit->SetText(QString::fromLatin1(kSample).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    m_sampleEdit->SetReadOnly(true);
    m_sampleEdit->SetHighlighter(m_sampleLink.get());
    m_sample = new TCodeEditView(m_sampleEdit, this);
    m_sample->setObjectName(QStringLiteral("Sample"));
    m_sample->SetEditorFont(TCodeEditView::DefaultFont(9));
    m_sample->SetTokenSource(m_sampleTokens.get());
    m_sample->SetRightEdge(-1);
    m_sample->setMinimumSize(520, 170);

    auto *btnDesktop = new QPushButton(QStringLiteral("&Desktop Scheme"), this);
    btnDesktop->setObjectName(QStringLiteral("btnDesktop"));
    btnDesktop->setToolTip(QStringLiteral("Forget these colours: the editor follows the desktop's light or dark mode"));
    auto *btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    auto *btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *controls = new QGridLayout;
    controls->addWidget(m_btnForeground, 0, 0);
    controls->addWidget(m_chkDefaultForeground, 0, 1);
    controls->addWidget(m_btnBackground, 1, 0);
    controls->addWidget(m_chkDefaultBackground, 1, 1);
    controls->addWidget(m_chkBold, 2, 0);
    controls->addWidget(m_chkItalic, 2, 1);
    controls->setRowStretch(3, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_lbAttributes);
    top->addLayout(controls);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnDesktop);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("Sample:"), this));
    layout->addWidget(m_sample, 1);
    layout->addLayout(buttons);

    ChooseColor = [this](const QColor &initial, const QString &title) {
        return QColorDialog::getColor(initial, this, title);
    };
    connect(m_lbAttributes, &QListWidget::currentRowChanged, this, [this] { ShowRow(); });
    connect(m_btnForeground, &QPushButton::clicked, this, [this] { PickColor(true); });
    connect(m_btnBackground, &QPushButton::clicked, this, [this] { PickColor(false); });
    connect(m_chkDefaultForeground, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_filling && on)
            SetForeground(clNone);
    });
    connect(m_chkDefaultBackground, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_filling && on)
            SetBackground(clNone);
    });
    connect(m_chkBold, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_filling)
            SetBold(on);
    });
    connect(m_chkItalic, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_filling)
            SetItalic(on);
    });
    connect(btnDesktop, &QPushButton::clicked, this, [this] { done(UseDesktopScheme); });
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    UpdateSample();
    SelectRow(0);
}

TfrmColors::~TfrmColors()
{
    // The view listens to its engine, so it goes first.
    delete m_sample;
}

void TfrmColors::SelectRow(int row)
{
    m_lbAttributes->setCurrentRow(row);
    ShowRow();
}

int TfrmColors::Row() const
{
    return m_lbAttributes->currentRow();
}

void TfrmColors::ShowRow()
{
    const int row = Row();
    if (row < 0)
        return;
    m_filling = true;
    TColor fg = m_colors.Foreground, bg = m_colors.Background;
    TFontStyles style;
    if (row > 0) {
        const TSchemeAttribute &a = m_colors.Attributes.at(row - 1);
        fg = a.Foreground;
        bg = a.Background;
        style = a.Style;
    }
    m_btnForeground->setIcon(Swatch(fg));
    m_btnBackground->setIcon(Swatch(bg));
    m_chkDefaultForeground->setChecked(fg == clNone);
    m_chkDefaultBackground->setChecked(bg == clNone);
    m_chkDefaultForeground->setText(row == 0 ? QStringLiteral("Desktop's text colour")
                                             : QStringLiteral("Editor's text colour"));
    m_chkDefaultBackground->setText(row == 0 ? QStringLiteral("Desktop's background")
                                             : QStringLiteral("Editor's background"));
    // The editor's own colours have no font style.
    m_chkBold->setEnabled(row > 0);
    m_chkItalic->setEnabled(row > 0);
    m_chkBold->setChecked(style & fsBold);
    m_chkItalic->setChecked(style & fsItalic);
    m_filling = false;
}

void TfrmColors::Touch(const std::function<void(TSchemeAttribute &attribute)> &change)
{
    const int row = Row();
    if (row <= 0 || row > m_colors.Attributes.size())
        return;
    change(m_colors.Attributes[row - 1]);
    ShowRow();
    UpdateSample();
}

void TfrmColors::SetForeground(TColor color)
{
    if (Row() == 0) {
        m_colors.Foreground = color;
        ShowRow();
        UpdateSample();
        return;
    }
    Touch([color](TSchemeAttribute &a) { a.Foreground = color; });
}

void TfrmColors::SetBackground(TColor color)
{
    if (Row() == 0) {
        m_colors.Background = color;
        ShowRow();
        UpdateSample();
        return;
    }
    Touch([color](TSchemeAttribute &a) { a.Background = color; });
}

void TfrmColors::SetBold(bool on)
{
    Touch([on](TSchemeAttribute &a) { a.Style.setFlag(fsBold, on); });
}

void TfrmColors::SetItalic(bool on)
{
    Touch([on](TSchemeAttribute &a) { a.Style.setFlag(fsItalic, on); });
}

void TfrmColors::PickColor(bool foreground)
{
    const int row = Row();
    if (row < 0)
        return;
    TColor current = foreground ? m_colors.Foreground : m_colors.Background;
    if (row > 0)
        current = foreground ? m_colors.Attributes.at(row - 1).Foreground : m_colors.Attributes.at(row - 1).Background;
    QColor initial = current == clNone ? QColor() : ToQColor(current);
    if (!initial.isValid())
        initial = palette().color(foreground ? QPalette::Text : QPalette::Base);
    const QColor chosen = ChooseColor(initial, foreground ? QStringLiteral("Foreground") : QStringLiteral("Background"));
    if (!chosen.isValid())
        return;
    if (foreground)
        SetForeground(FromQColor(chosen));
    else
        SetBackground(FromQColor(chosen));
}

void TfrmColors::UpdateSample()
{
    EditorScheme::ApplyAttributes(*m_sampleSyn, m_colors);
    QPalette palette = QApplication::palette(m_sample);
    if (m_colors.Background != clNone)
        palette.setColor(QPalette::Base, ToQColor(m_colors.Background));
    if (m_colors.Foreground != clNone)
        palette.setColor(QPalette::Text, ToQColor(m_colors.Foreground));
    m_sample->setPalette(palette);
    m_sample->viewport()->update();
}
