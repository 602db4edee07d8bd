// The tag assistant's pages: the fields of each, laid out.
#include "assistants/core/tagassistantcode.h"
#include "assistants/ui/colorbox.h"
#include "assistants/ui/tagassistant.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename T>
T *Named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QSpinBox *Spin(const char *name)
{
    auto *spin = Named(new QSpinBox, name);
    spin->setRange(0, 9999);
    return spin;
}

QComboBox *Choice(const char *name, const QStringList &items, bool editable = false)
{
    auto *box = Named(new QComboBox, name);
    box->setEditable(editable);
    box->addItems(items);
    return box;
}

QStringList FrameBorderItems()
{
    return {QString(), QStringLiteral("0 ( MS, Netscape)"), QStringLiteral("Yes (Netscape)"),
            QStringLiteral("NO (Netscape)")};
}

// A radio group laid out in a box; the group's ids are the items' indices.
QGroupBox *Radios(const QString &title, const QStringList &items, QButtonGroup *&group, const char *name)
{
    auto *box = Named(new QGroupBox(title), name);
    auto *layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i]);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    group->button(0)->setChecked(true);
    return box;
}

} // namespace

void TfrmTagAssistant::Watch(QObject *field)
{
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        connect(edit, &QLineEdit::textChanged, this, &TfrmTagAssistant::Regenerate);
    else if (auto *spin = qobject_cast<QSpinBox *>(field))
        connect(spin, &QSpinBox::valueChanged, this, &TfrmTagAssistant::Regenerate);
    else if (auto *check = qobject_cast<QCheckBox *>(field))
        connect(check, &QCheckBox::toggled, this, &TfrmTagAssistant::Regenerate);
    else if (auto *box = qobject_cast<QComboBox *>(field))
        connect(box, &QComboBox::currentTextChanged, this, &TfrmTagAssistant::Regenerate);
    else if (auto *group = qobject_cast<QButtonGroup *>(field))
        connect(group, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (on)
                Regenerate();
        });
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(field))
        connect(memo, &QPlainTextEdit::textChanged, this, &TfrmTagAssistant::Regenerate);
}

void TfrmTagAssistant::BuildPages()
{
    m_pages->addWidget(BuildImagePage());
    m_pages->addWidget(BuildHrPage());
    m_pages->addWidget(BuildTitlePage());
    m_pages->addWidget(BuildFontPage());
    m_pages->addWidget(BuildParagraphPage());
    m_pages->addWidget(BuildListPage());
    m_pages->addWidget(BuildFormPage());
    m_pages->addWidget(BuildTextAreaPage());
    m_pages->addWidget(BuildBasePage());
    m_pages->addWidget(BuildFramesetPage());
    m_pages->addWidget(BuildFramePage());
    m_pages->addWidget(Named(new QWidget, "Emptypage"));
}

QWidget *TfrmTagAssistant::BuildImagePage()
{
    auto *page = Named(new QWidget, "tabImage");
    auto *layout = new QGridLayout(page);
    auto *source = new QHBoxLayout;
    m_imgSource = Named(new QLineEdit, "edtImgSource");
    auto *browse = Named(new QToolButton, "SpeedButton1");
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Choose an image file"));
    m_absPath = Named(new QCheckBox(QStringLiteral("Absolute Path")), "chkAbsPath");
    source->addWidget(m_imgSource, 1);
    source->addWidget(browse);
    source->addWidget(m_absPath);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Source:"), source);
    auto *size = new QHBoxLayout;
    m_imgWidth = Spin("spnImgWidth");
    m_imgHeight = Spin("spnImgHeight");
    auto *setAttribs = Named(new QToolButton, "btnImgSetAttribs");
    setAttribs->setText(QStringLiteral("Reset"));
    setAttribs->setToolTip(QStringLiteral("Redefine Image Attributes"));
    size->addWidget(new QLabel(QStringLiteral("Width:")));
    size->addWidget(m_imgWidth);
    size->addWidget(new QLabel(QStringLiteral("Height:")));
    size->addWidget(m_imgHeight);
    size->addWidget(setAttribs);
    size->addStretch();
    fields->addRow(size);
    m_imgAlt = Named(new QLineEdit, "edtImgALT");
    fields->addRow(QStringLiteral("Alternative text:"), m_imgAlt);
    layout->addLayout(fields, 0, 0, 1, 2);

    auto *advanced = new QGroupBox(QStringLiteral("Advanced-Options"));
    auto *adv = new QFormLayout(advanced);
    m_hSpace = Spin("spnHSpace");
    m_vSpace = Spin("spnVSpace");
    m_borderWidth = Spin("spnBorderWidth");
    m_imgMap = Named(new QLineEdit, "edtImgMap");
    m_isMap = Named(new QCheckBox(QStringLiteral("ISMAP")), "chkISMAP");
    m_imgAlign = Choice("cmbImgAlign", {QString(), "top", "middle", "bottom", "left", "right"});
    adv->addRow(QStringLiteral("HSpace:"), m_hSpace);
    adv->addRow(QStringLiteral("VSpace:"), m_vSpace);
    adv->addRow(QStringLiteral("Border:"), m_borderWidth);
    adv->addRow(QStringLiteral("Image map:"), m_imgMap);
    adv->addRow(QString(), m_isMap);
    adv->addRow(QStringLiteral("Align:"), m_imgAlign);
    layout->addWidget(advanced, 1, 0);

    auto *preview = Named(new QFrame, "pnlImagePrev");
    preview->setFrameShape(QFrame::StyledPanel);
    auto *prev = new QVBoxLayout(preview);
    m_imageBox = Named(new QScrollArea, "ScrollBox1");
    m_image = Named(new QLabel, "Image");
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setWordWrap(true);
    m_imageBox->setWidget(m_image);
    m_imageBox->setMinimumSize(200, 160);
    m_imgStretch = Named(new QCheckBox(QStringLiteral("Stretch Image (Preview Only)")), "chkImgStretch");
    prev->addWidget(m_imageBox, 1);
    prev->addWidget(m_imgStretch);
    layout->addWidget(preview, 1, 1);

    for (QObject *field :
         std::initializer_list<QObject *>{m_imgSource, m_absPath, m_imgWidth, m_imgHeight, m_imgAlt, m_hSpace, m_vSpace,
                                          m_borderWidth, m_imgMap, m_isMap, m_imgAlign})
        Watch(field);
    connect(m_imgStretch, &QCheckBox::toggled, this, &TfrmTagAssistant::UpdateImagePreview);
    connect(m_imgSource, &QLineEdit::editingFinished, this, [this] { LoadPreview(m_imgSource->text()); });
    connect(setAttribs, &QToolButton::clicked, this, [this] {
        m_imgWidth->setValue(m_picture.width());
        m_imgHeight->setValue(m_picture.height());
    });
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(
            this, QStringLiteral("Choose an image"), DocumentDir(),
            QStringLiteral("All Images (*.bmp *.jpg *.jpeg *.gif *.png *.webp *.svg);;Windows Bitmaps (*.bmp);;"
                           "JPEG Images (*.jpg *.jpeg);;Compuserve GIF Images (*.gif);;"
                           "Portable Network Graphics (*.png);;All Files (*)"));
        if (file.isEmpty())
            return;
        m_imgSource->setText(file);
        LoadPreview(file);
        m_imgWidth->setValue(m_picture.width());
        m_imgHeight->setValue(m_picture.height());
    });
    return page;
}

QWidget *TfrmTagAssistant::BuildHrPage()
{
    auto *page = Named(new QWidget, "tabHR");
    auto *layout = new QVBoxLayout(page);
    auto *fields = new QFormLayout;
    m_hrSize = Spin("spnHRSize");
    m_hrWidth = Spin("spnHRWidth");
    m_hrColor = Named(new TColorBox, "cmbHRColor");
    m_hrAlign = Choice("cmbHRAlign", {QString(), "left", "center", "right"});
    m_hrNoShade = Named(new QCheckBox(QStringLiteral("No Shadow")), "chkHRNoShade");
    fields->addRow(QStringLiteral("Size:"), m_hrSize);
    fields->addRow(QStringLiteral("Height:"), m_hrWidth);
    fields->addRow(QStringLiteral("Color:"), m_hrColor);
    fields->addRow(QStringLiteral("Align:"), m_hrAlign);
    fields->addRow(QString(), m_hrNoShade);
    layout->addLayout(fields);
    m_hrGroup = Named(new QGroupBox(QStringLiteral("Preview")), "GroupBox2");
    m_hrGroup->setFixedSize(434, 90);
    m_hrPrev = Named(new QFrame(m_hrGroup), "pnlHRPrev");
    layout->addWidget(m_hrGroup);
    layout->addStretch();
    for (QObject *field : std::initializer_list<QObject *>{m_hrSize, m_hrWidth, m_hrColor, m_hrAlign, m_hrNoShade}) {
        Watch(field);
        if (auto *spin = qobject_cast<QSpinBox *>(field))
            connect(spin, &QSpinBox::valueChanged, this, &TfrmTagAssistant::UpdateHrPreview);
    }
    // A rule of no set size spans the preview, so it is shown centred.
    connect(m_hrSize, &QSpinBox::valueChanged, this, [this](int size) {
        if (size == 0 && !m_filling)
            m_hrAlign->setCurrentIndex(m_hrAlign->findText(QStringLiteral("center")));
    });
    connect(m_hrColor, &TColorBox::colorChanged, this, &TfrmTagAssistant::UpdateHrPreview);
    connect(m_hrAlign, &QComboBox::currentTextChanged, this, &TfrmTagAssistant::UpdateHrPreview);
    connect(m_hrNoShade, &QCheckBox::toggled, this, &TfrmTagAssistant::UpdateHrPreview);
    return page;
}

QWidget *TfrmTagAssistant::BuildTitlePage()
{
    auto *page = Named(new QWidget, "tabTitle");
    auto *layout = new QFormLayout(page);
    m_titleText = Named(new QLineEdit, "edtTitle");
    layout->addRow(QStringLiteral("Title:"), m_titleText);
    Watch(m_titleText);
    return page;
}

QWidget *TfrmTagAssistant::BuildFontPage()
{
    auto *page = Named(new QWidget, "tabFont");
    auto *layout = new QFormLayout(page);
    m_foFace = Choice("cmbFoFace", QStringList{QString()} + QFontDatabase::families(), true);
    m_foColor = Named(new TColorBox, "cmbFoColor");
    m_foHtmlColor = Named(new QLineEdit, "edtFoHtmlColor");
    m_foHtmlColor->setMaxLength(7);
    m_foHtmlColor->setToolTip(QStringLiteral("HTML Color Value"));
    auto *custom = Named(new QPushButton(QStringLiteral("Custom...")), "btnFoSelColor");
    auto *color = new QHBoxLayout;
    color->addWidget(m_foColor);
    color->addWidget(new QLabel(QStringLiteral("HTML #:")));
    color->addWidget(m_foHtmlColor);
    color->addWidget(custom);
    m_foSize = Choice("cmbFoSize",
                      {QString(), "+4", "+3", "+2", "+1", "-1", "-2", "-3", "1", "2", "3", "4", "5", "6", "7"}, true);
    m_foSize->lineEdit()->setMaxLength(3);
    layout->addRow(QStringLiteral("Face:"), m_foFace);
    layout->addRow(QStringLiteral("Color:"), color);
    layout->addRow(QStringLiteral("Size:"), m_foSize);
    for (QObject *field : std::initializer_list<QObject *>{m_foFace, m_foHtmlColor, m_foSize})
        Watch(field);
    connect(m_foColor, &TColorBox::colorChanged, this, [this](std::uint32_t rgb) {
        if (!m_filling)
            m_foHtmlColor->setText(QLatin1Char('#') + TagAssistant::ColorToHtml(rgb));
    });
    connect(custom, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(QColor::fromRgb(QRgb(m_foColor->Color())), this);
        if (chosen.isValid()) {
            m_foColor->SetColor(chosen.rgb() & 0xFFFFFFu);
            m_foHtmlColor->setText(QLatin1Char('#') + TagAssistant::ColorToHtml(chosen.rgb()));
        }
    });
    return page;
}

QWidget *TfrmTagAssistant::BuildParagraphPage()
{
    auto *page = Named(new QWidget, "tabParagraph");
    auto *layout = new QHBoxLayout(page);
    m_paraPrev = Named(new QPlainTextEdit, "reParaPrev");
    m_paraPrev->setReadOnly(true);
    layout->addWidget(m_paraPrev, 1);
    layout->addWidget(Radios(QStringLiteral("Align"),
                             {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center"),
                              QStringLiteral("Justify (no preview)")},
                             m_paraAlign, "rdoPAlign"),
                      0, Qt::AlignTop);
    Watch(m_paraAlign);
    connect(m_paraAlign, &QButtonGroup::idToggled, this, &TfrmTagAssistant::UpdateParagraphPreview);
    return page;
}

QWidget *TfrmTagAssistant::BuildListPage()
{
    auto *page = Named(new QWidget, "tabList");
    auto *layout = new QGridLayout(page);
    layout->addWidget(Radios(QStringLiteral("List type"), {QStringLiteral("Unordered"), QStringLiteral("Ordered")},
                             m_liType, "rdoLIType"),
                      0, 0);
    m_numberingBox = Radios(QStringLiteral("Numbering"),
                            {QStringLiteral("Numbers"), QStringLiteral("roman Upper (I, II, III)"),
                             QStringLiteral("roman Lower (i, ii, iii)"), QStringLiteral("alpha. Upper (A, B, C)"),
                             QStringLiteral("alpha. Lower (a, b, c)")},
                            m_numbering, "rdoNumbering");
    m_numberingBox->setEnabled(false);
    layout->addWidget(m_numberingBox, 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("One list item per line:")), 0, 1);
    m_list = Named(new QPlainTextEdit, "mmoList");
    layout->addWidget(m_list, 1, 1, 2, 1);
    layout->setRowStretch(2, 1);
    Watch(m_liType);
    Watch(m_numbering);
    Watch(m_list);
    connect(m_liType, &QButtonGroup::idToggled, this,
            [this] { m_numberingBox->setEnabled(m_liType->checkedId() == 1); });
    return page;
}

QWidget *TfrmTagAssistant::BuildFormPage()
{
    auto *page = Named(new QWidget, "tabForm");
    auto *layout = new QFormLayout(page);
    m_formAction = Named(new QLineEdit, "edtFormAction");
    m_formTarget = Named(new QLineEdit, "edtFormTrg");
    m_formMethod = Choice("cmbFormMethod", {QStringLiteral("POST"), QStringLiteral("GET")}, true);
    layout->addRow(QStringLiteral("Action:"), m_formAction);
    layout->addRow(QStringLiteral("Target:"), m_formTarget);
    layout->addRow(QStringLiteral("Method:"), m_formMethod);
    for (QObject *field : std::initializer_list<QObject *>{m_formAction, m_formTarget, m_formMethod})
        Watch(field);
    return page;
}

QWidget *TfrmTagAssistant::BuildTextAreaPage()
{
    auto *page = Named(new QWidget, "tabTextArea");
    auto *layout = new QFormLayout(page);
    m_txtName = Named(new QLineEdit, "edtTxtName");
    m_txtRows = Spin("spnTxtRows");
    m_txtCols = Spin("spnTxtCols");
    m_txtWrap =
        Choice("cmbTxtWrap", {QStringLiteral("OFF"), QStringLiteral("PHYSICAL"), QStringLiteral("VIRTUAL")}, true);
    layout->addRow(QStringLiteral("Name:"), m_txtName);
    layout->addRow(QStringLiteral("Rows:"), m_txtRows);
    layout->addRow(QStringLiteral("Columns:"), m_txtCols);
    layout->addRow(QStringLiteral("Wrap:"), m_txtWrap);
    for (QObject *field : std::initializer_list<QObject *>{m_txtName, m_txtRows, m_txtCols, m_txtWrap})
        Watch(field);
    return page;
}

QWidget *TfrmTagAssistant::BuildBasePage()
{
    auto *page = Named(new QWidget, "tabBase");
    auto *layout = new QFormLayout(page);
    m_baseHref = Named(new QLineEdit, "edtBaseHref");
    m_baseTarget = Named(new QLineEdit, "edtBaseTrg");
    layout->addRow(QStringLiteral("Base address (href):"), m_baseHref);
    layout->addRow(QStringLiteral("Target:"), m_baseTarget);
    Watch(m_baseHref);
    Watch(m_baseTarget);
    return page;
}

QWidget *TfrmTagAssistant::BuildFramesetPage()
{
    auto *page = Named(new QWidget, "tabFrameset");
    auto *layout = new QFormLayout(page);
    // Rows and columns are typed whole ("20%,*") before the code is made again.
    m_fsRows = Named(new QLineEdit, "edtFSRows");
    m_fsCols = Named(new QLineEdit, "edtFSCols");
    m_fsFrameBorder = Choice("cmbFSFrameborder", FrameBorderItems(), true);
    m_fsBorder = Spin("spnFSBorder");
    m_fsSpacing = Spin("spnFSFrameSpacing");
    m_fsColor = Named(new TColorBox, "cmbColorFS");
    layout->addRow(QStringLiteral("Rows:"), m_fsRows);
    layout->addRow(QStringLiteral("Columns:"), m_fsCols);
    layout->addRow(QStringLiteral("Frameborder:"), m_fsFrameBorder);
    layout->addRow(QStringLiteral("Border:"), m_fsBorder);
    layout->addRow(QStringLiteral("Frame spacing:"), m_fsSpacing);
    layout->addRow(QStringLiteral("Border color:"), m_fsColor);
    for (QObject *field : std::initializer_list<QObject *>{m_fsFrameBorder, m_fsBorder, m_fsSpacing, m_fsColor})
        Watch(field);
    return page;
}

QWidget *TfrmTagAssistant::BuildFramePage()
{
    auto *page = Named(new QWidget, "tabFrame");
    auto *layout = new QFormLayout(page);
    auto *source = new QHBoxLayout;
    m_frSrc = Named(new QLineEdit, "edtFrSrc");
    auto *browse = Named(new QToolButton, "SpeedButton2");
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Choose the page shown in the frame"));
    source->addWidget(m_frSrc, 1);
    source->addWidget(browse);
    m_frName = Named(new QLineEdit, "edtFrName");
    m_frScroll =
        Choice("cmbFrScroll", {QString(), QStringLiteral("Auto"), QStringLiteral("Yes"), QStringLiteral("No")}, true);
    m_frSpacing = Spin("spnFrSpacing");
    m_frMarginHeight = Spin("spnFrMarginHeight");
    m_frMarginWidth = Spin("spnFrMarginWidth");
    m_frNoResize = Named(new QCheckBox(QStringLiteral("No Resize")), "chkFrNoResize");
    m_frFrameBorder = Choice("cmbFrFrameBorder", FrameBorderItems(), true);
    m_frColor = Named(new TColorBox, "cmbColorFr");
    layout->addRow(QStringLiteral("Source:"), source);
    layout->addRow(QStringLiteral("Name:"), m_frName);
    layout->addRow(QStringLiteral("Scrolling:"), m_frScroll);
    layout->addRow(QStringLiteral("Frame spacing:"), m_frSpacing);
    layout->addRow(QStringLiteral("Margin height:"), m_frMarginHeight);
    layout->addRow(QStringLiteral("Margin width:"), m_frMarginWidth);
    layout->addRow(QString(), m_frNoResize);
    layout->addRow(QStringLiteral("Frameborder:"), m_frFrameBorder);
    layout->addRow(QStringLiteral("Border color:"), m_frColor);
    for (QObject *field : std::initializer_list<QObject *>{m_frSrc, m_frName, m_frScroll, m_frSpacing, m_frMarginHeight,
                                                           m_frMarginWidth, m_frNoResize, m_frFrameBorder, m_frColor})
        Watch(field);
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Choose a page"), DocumentDir(),
                                                          QStringLiteral("HTML Documents (*.html *.htm)"));
        if (!file.isEmpty())
            m_frSrc->setText(file);
    });
    return page;
}
