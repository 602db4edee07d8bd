// The tag assistant dialog: generation on every field change, the previews, the read-back.
#include "assistants/ui/tagassistant.h"

#include "assistants/core/tagassistantcode.h"
#include "assistants/ui/colorbox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QTextOption>
#include <QTextDocument>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace TagAssistant;

namespace {

// Puts a text into an editable or fixed combo box: an item it matches is chosen, else the text
// stands as typed.
void SetComboText(QComboBox *box, const QString &text)
{
    const int index = box->findText(text, Qt::MatchFixedString);
    if (index >= 0)
        box->setCurrentIndex(index);
    else if (box->isEditable())
        box->setEditText(text);
}

} // namespace

TfrmTagAssistant::TfrmTagAssistant(QWidget *owner, const TTagAssistantInput &input) : QDialog(owner), m_input(input)
{
    setObjectName(QStringLiteral("frmTagAssistant"));
    // A new tag wraps what was selected; an edited one its own content (read in EditTag).
    m_innerText = input.SelectedText;

    auto *layout = new QVBoxLayout(this);
    m_title = new QLabel;
    m_title->setObjectName(QStringLiteral("Label43"));
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    layout->addWidget(m_title);

    auto *codeRow = new QHBoxLayout;
    m_codePrev = new QPlainTextEdit;
    m_codePrev->setObjectName(QStringLiteral("reCodePrev"));
    m_codePrev->setToolTip(QStringLiteral("You can edit Tags by hand here before inserting..."));
    m_codePrev->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_codePrev->setMaximumHeight(90);
    auto *insCode = new QPushButton(QStringLiteral("Insert Code"));
    insCode->setObjectName(QStringLiteral("btnInsCode"));
    insCode->setToolTip(QStringLiteral("Make the code from the fields again"));
    codeRow->addWidget(m_codePrev, 1);
    codeRow->addWidget(insCode, 0, Qt::AlignTop);
    layout->addLayout(codeRow);

    m_pages = new QStackedWidget;
    m_pages->setObjectName(QStringLiteral("Pages"));
    BuildPages();
    layout->addWidget(m_pages, 1);

    auto *buttons = new QHBoxLayout;
    auto *clear = new QPushButton(QStringLiteral("&Clear Input"));
    clear->setObjectName(QStringLiteral("btnClear"));
    clear->hide();
    auto *ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("btnApply"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(insCode, &QPushButton::clicked, this, &TfrmTagAssistant::btnInsCodeClick);
    connect(ok, &QPushButton::clicked, this, &TfrmTagAssistant::btnApplyClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { m_code.clear(); });

    AskParagraph = [this](const QString &title, const QString &text) {
        QString lines = text;
        lines.replace(u'\r', u'\n');
        return QMessageBox::warning(this, title, lines, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    m_pages->setCurrentIndex(EmptyPage);
    UpdateHrPreview();
}

QString TfrmTagAssistant::DocumentDir() const
{
    const QFileInfo document(m_input.DocumentPath);
    if (m_input.DocumentPath.isEmpty() || !document.isAbsolute())
        return QDir::currentPath();
    return document.absolutePath();
}

void TfrmTagAssistant::SelectPage(int page)
{
    if (page < 0 || page >= PageCount)
        page = EmptyPage;
    m_pages->setCurrentIndex(page);
    const TPageInfo info = PageInfo(page);
    setWindowTitle(info.Caption);
    m_title->setText(info.Caption);
    if (page == ParagraphPage && m_paraPrev->toPlainText().isEmpty())
        m_paraPrev->setPlainText(m_input.SelectedText);
    m_codePrev->setPlainText(m_input.SelectedText);
    if (info.ClientHeight > 0)
        resize(std::max(width(), 560), std::max(info.ClientHeight + 120, sizeHint().height()));
}

QString TfrmTagAssistant::ShowPage(int page)
{
    SelectPage(page);
    m_code.clear();
    exec();
    return m_code;
}

void TfrmTagAssistant::btnInsCodeClick()
{
    Regenerate();
}

void TfrmTagAssistant::Regenerate()
{
    if (m_filling)
        return;
    const QString dir = DocumentDir();
    TCode code;
    switch (m_pages->currentIndex()) {
    case ImagePage:
        code = ImageCode({m_imgSource->text(), m_absPath->isChecked(), m_imgWidth->value(), m_imgHeight->value(),
                          m_imgAlt->text(), m_hSpace->value(), m_vSpace->value(), m_borderWidth->value(),
                          m_imgAlign->currentText(), m_imgMap->text(), m_isMap->isChecked()},
                         dir);
        break;
    case HrPage:
        code = HrCode({m_hrSize->value(), m_hrWidth->value(), m_hrColor->Color(), m_hrAlign->currentText(),
                       m_hrNoShade->isChecked()});
        break;
    case TitlePage: code = TitleCode(m_titleText->text()); break;
    case FontPage:
        code = FontCode({m_foFace->currentText(), m_foHtmlColor->text(), m_foSize->currentText()}, m_innerText);
        break;
    case ParagraphPage: code = ParagraphCode(m_paraPrev->toPlainText(), m_paraAlign->checkedId()); break;
    case ListPage: {
        TListFields list;
        list.Ordered = m_liType->checkedId() == 1;
        list.Numbering = m_numbering->checkedId();
        const QString items = m_list->toPlainText();
        if (!items.isEmpty())
            list.Items = items.split(u'\n');
        // A final line break ends the last item; it starts none.
        if (!list.Items.isEmpty() && list.Items.last().isEmpty())
            list.Items.removeLast();
        code = ListCode(list);
        break;
    }
    case FormPage:
        code = FormCode({m_formAction->text(), m_formTarget->text(), m_formMethod->currentText()}, m_innerText);
        break;
    case TextAreaPage:
        code = TextAreaCode({m_txtName->text(), m_txtRows->value(), m_txtCols->value(), m_txtWrap->currentText()},
                            m_innerText);
        break;
    case BaseTargetPage: code = BaseCode({m_baseHref->text(), m_baseTarget->text()}); break;
    case FramesetPage:
        code = FramesetCode({m_fsRows->text(), m_fsCols->text(), m_fsFrameBorder->currentText(), m_fsBorder->value(),
                             m_fsSpacing->value(), m_fsColor->Color()},
                            m_innerText);
        break;
    case FramePage:
        code = FrameCode({m_frSrc->text(), m_frName->text(), m_frMarginWidth->value(), m_frMarginHeight->value(),
                          m_frScroll->currentText(), m_frFrameBorder->currentText(), m_frSpacing->value(),
                          m_frNoResize->isChecked(), m_frColor->Color()},
                         m_innerText, dir);
        break;
    default: return;
    }
    m_code = code.Text;
    m_cursorBack = code.CursorBack;
    m_codePrev->setPlainText(QString(code.Text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

void TfrmTagAssistant::btnApplyClick()
{
    if (m_codePrev->toPlainText().isEmpty())
        Regenerate();
    // What the box shows wins: the user may have edited the code by hand.
    m_code = m_codePrev->toPlainText();
    if (m_code.endsWith(QLatin1String("\r\n")))
        m_code.chop(2);
    else if (m_code.endsWith(u'\n'))
        m_code.chop(1);
    accept();
}

void TfrmTagAssistant::LoadPreview(const QString &file)
{
    m_picture = QPixmap();
    if (file.trimmed().isEmpty()) {
        m_image->setText(QString());
        UpdateImagePreview();
        return;
    }
    QString path = file;
    if (QDir::isRelativePath(path))
        path = QDir(DocumentDir()).filePath(path);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        const QString why =
            !QFileInfo::exists(path)
                ? QStringLiteral("The file does not exist.")
                : QStringLiteral("It is not an image this program can read (%1).").arg(reader.errorString());
        m_image->setText(QStringLiteral("No preview of %1\n%2").arg(QFileInfo(path).fileName(), why));
        m_image->adjustSize();
        return;
    }
    m_picture = QPixmap::fromImage(image);
    UpdateImagePreview();
}

void TfrmTagAssistant::UpdateImagePreview()
{
    if (m_picture.isNull())
        return;
    if (m_imgStretch->isChecked()) {
        m_imageBox->setWidgetResizable(true);
        m_image->setScaledContents(true);
        m_image->setPixmap(m_picture);
    } else {
        m_imageBox->setWidgetResizable(false);
        m_image->setScaledContents(false);
        m_image->setPixmap(m_picture);
        m_image->resize(m_picture.size());
    }
}

void TfrmTagAssistant::UpdateHrPreview()
{
    const THrPreview p = HrPreview(m_hrSize->value(), m_hrWidth->value(), m_hrAlign->currentText(), m_hrGroup->width());
    m_hrPrev->setGeometry(p.X, 40, p.Width, p.Height);
    m_hrPrev->setFrameShape(m_hrNoShade->isChecked() ? QFrame::NoFrame : QFrame::Panel);
    m_hrPrev->setFrameShadow(QFrame::Sunken);
    m_hrPrev->setLineWidth(1);
    m_hrPrev->setAutoFillBackground(true);
    QPalette palette = m_hrPrev->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(QRgb(m_hrColor->Color())));
    m_hrPrev->setPalette(palette);
}

void TfrmTagAssistant::UpdateParagraphPreview()
{
    Qt::Alignment align = Qt::AlignLeft;
    switch (m_paraAlign->checkedId()) {
    case 1: align = Qt::AlignRight; break;
    case 2: align = Qt::AlignHCenter; break;
    case 3: return; // justified text shows no preview
    default: break;
    }
    QTextOption option = m_paraPrev->document()->defaultTextOption();
    option.setAlignment(align);
    m_paraPrev->document()->setDefaultTextOption(option);
}

QString TfrmTagAssistant::EditTag()
{
    const QString selected = m_input.SelectedText;
    int page = m_input.HasSelectedTag ? PageForTag(m_input.TagName) : -1;
    if (page < 0) {
        if (!AskParagraph(UnsupportedTagTitle(m_input.TagName), UnsupportedTagText()))
            return QString();
        page = ParagraphPage;
        m_paraPrev->setPlainText(selected);
    } else {
        m_innerText = InnerText(selected);
        FillFromTag(page);
    }
    return ShowPage(page);
}

void TfrmTagAssistant::FillFromTag(int page)
{
    const QString &tag = m_input.SelectedText;
    m_filling = true;
    switch (page) {
    case ImagePage: {
        const TImageFields f = ReadImage(tag);
        m_imgSource->setText(f.Source);
        m_absPath->setChecked(f.AbsolutePath);
        m_isMap->setChecked(f.IsMap);
        m_imgAlt->setText(f.Alt);
        m_imgMap->setText(f.Map);
        SetComboText(m_imgAlign, f.Align);
        m_imgWidth->setValue(f.Width);
        m_imgHeight->setValue(f.Height);
        m_hSpace->setValue(f.HSpace);
        m_vSpace->setValue(f.VSpace);
        m_borderWidth->setValue(f.Border);
        LoadPreview(f.Source);
        break;
    }
    case HrPage: {
        const THrFields f = ReadHr(tag);
        m_hrSize->setValue(f.Size);
        m_hrWidth->setValue(f.Height);
        m_hrColor->SetColor(f.Color);
        SetComboText(m_hrAlign, f.Align);
        m_hrNoShade->setChecked(f.NoShade);
        break;
    }
    case TitlePage: m_titleText->setText(m_innerText); break;
    case FontPage: {
        const TFontFields f = ReadFont(tag);
        SetComboText(m_foFace, f.Face);
        if (const auto rgb = HtmlToColor(f.HtmlColor))
            m_foColor->SetColor(*rgb);
        m_foHtmlColor->setText(f.HtmlColor);
        SetComboText(m_foSize, f.Size);
        break;
    }
    case ListPage: {
        const TListFields f = ReadList(tag);
        m_liType->button(f.Ordered ? 1 : 0)->setChecked(true);
        m_numbering->button(f.Numbering)->setChecked(true);
        m_numberingBox->setEnabled(f.Ordered);
        m_list->setPlainText(f.Items.join(u'\n'));
        break;
    }
    case FormPage: {
        const TFormFields f = ReadForm(tag);
        m_formAction->setText(f.Action);
        m_formTarget->setText(f.Target);
        SetComboText(m_formMethod, f.Method);
        break;
    }
    case TextAreaPage: {
        const TTextAreaFields f = ReadTextArea(tag);
        m_txtName->setText(f.Name);
        m_txtRows->setValue(f.Rows);
        m_txtCols->setValue(f.Cols);
        SetComboText(m_txtWrap, f.Wrap);
        break;
    }
    case BaseTargetPage: {
        const TBaseFields f = ReadBase(tag);
        m_baseHref->setText(f.Href);
        m_baseTarget->setText(f.Target);
        break;
    }
    case FramesetPage: {
        const TFramesetFields f = ReadFrameset(tag);
        m_fsRows->setText(f.Rows);
        m_fsCols->setText(f.Cols);
        m_fsBorder->setValue(f.Border);
        SetComboText(m_fsFrameBorder, f.FrameBorder);
        m_fsColor->SetColor(f.Color);
        m_fsSpacing->setValue(f.FrameSpacing);
        break;
    }
    case FramePage: {
        const TFrameFields f = ReadFrame(tag);
        m_frSrc->setText(f.Source);
        m_frName->setText(f.Name);
        SetComboText(m_frScroll, f.Scrolling);
        m_frNoResize->setChecked(f.NoResize);
        SetComboText(m_frFrameBorder, f.FrameBorder);
        m_frSpacing->setValue(f.FrameSpacing);
        m_frMarginHeight->setValue(f.MarginHeight);
        m_frMarginWidth->setValue(f.MarginWidth);
        m_frColor->SetColor(f.Color);
        break;
    }
    default: break;
    }
    m_filling = false;
    UpdateHrPreview();
}
