// The document tools: the character page and the conversion commands.
#include "doctools/ui/documenttools.h"

#include "doctools/core/textinsertion.h"
#include "doctools/ui/characterpage.h"
#include "doctools/ui/datestampcommands.h"
#include "doctools/ui/palettestrip.h"
#include "editor/core/codeedit.h"
#include "editor/ui/codeeditview.h"
#include "platform/core/inputfile.h"
#include "platform/core/textdecoding.h"
#include "platform/core/windowstate.h"
#include "platform/qt/commandhost.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

// Text files larger than this are refused by the converter: the page would be several times
// the file, and a file that size is rarely meant as one page.
constexpr qint64 kMaxTextFileBytes = qint64(32) << 20;

// The whole text as one string, lines joined by CR LF without a break after the last.
QString WholeText(const TCodeEdit &edit)
{
    return edit.Lines().Text().chopped(edit.LineCount() > 0 ? 2 : 0);
}

// Writes text over the whole document as one undoable change.
void ReplaceWhole(TCodeEdit &edit, const QString &text)
{
    edit.BeginUpdate();
    edit.SelectAll();
    edit.SetSelText(text);
    edit.EndUpdate();
}

} // namespace

TDocumentTools::TDocumentTools(TCommandHost &host, const QString &dataDir, QObject *parent)
    : QObject(parent), m_host(host), m_entities({})
{
    const TCharacterTableFile table = LoadCharacterTable(dataDir + QStringLiteral("Characters.dat"));
    if (!table.Error.isEmpty())
        m_host.ShowMessage(QMessageBox::Critical, QStringLiteral("TagForge!"), table.Error);
    m_rows = table.Rows;
    m_entities = Conversions::TEntityMap(m_rows);

    QWidget *side = m_host.SidePageWidget(TCommandHost::CharsPage);
    m_page = new TCharacterPage(side);
    m_page->SetRows(m_rows);
    if (!side->layout())
        new QVBoxLayout(side);
    side->layout()->addWidget(m_page);
    connect(m_page, &TCharacterPage::insertRequested, this,
            [this](const QString &entity) { m_host.RunGuarded([&] { InsertEntity(entity); }); });

    m_host.BindCommand(QStringLiteral("AlleTagsentfernen1"), [this] { RemoveAllTags(); });
    m_host.BindCommand(QStringLiteral("Chars2Entities1"), [this] { EntitiesChange(false); });
    m_host.BindCommand(QStringLiteral("Entities2Chars1"), [this] { EntitiesChange(true); });
    m_host.BindCommand(QStringLiteral("UpperCaseTags1"), [this] { TagsCaseConvert(true); });
    m_host.BindCommand(QStringLiteral("LowerCaseTags1"), [this] { TagsCaseConvert(false); });
    m_host.BindCommand(QStringLiteral("ReplaceSlashes1"), [this] { ReplaceSlashes(); });
    m_host.BindCommand(QStringLiteral("Text2HtmlKonverter1"), [this] { TextToHtmlConverter(); });
    m_host.BindCommand(QStringLiteral("InsertText1"), [this] { InsertTextFile(false); });
    m_host.BindCommand(QStringLiteral("Template1"), [this] { InsertTextFile(true); });
    m_host.BindCommand(QStringLiteral("MinimalenHTMLRumpf1"), [this] { InsertSkeleton(); });
    m_dates = new TDateStampCommands(m_host, this);
}

void TDocumentTools::AttachAutoDatePage(QWidget *page)
{
    m_dates->AttachPage(page);
}

void TDocumentTools::InsertFile(const QString &path, const QString &caption)
{
    const TextInsertion::TFileText file = TextInsertion::ReadFileText(path);
    if (!file.Error.isEmpty()) {
        m_host.ShowMessage(QMessageBox::Warning, caption, file.Error);
        return;
    }
    if (file.Text.isEmpty())
        return;
    TCodeEdit &edit = RequiredEditor();
    edit.SetSelText(file.Text);
    if (QWidget *view = m_host.ActiveEditorView())
        view->setFocus();
}

void TDocumentTools::InsertTextFile(bool templateFile)
{
    const QString caption = templateFile ? QStringLiteral("Template") : QStringLiteral("Text from external File");
    const QString path = templateFile ? m_host.ChooseOpenFile(caption, QStringLiteral("Template Files (*.tpl)"),
                                                              m_host.ProgramDir() + QStringLiteral("/Templates"))
                                      : m_host.ChooseOpenFile(caption, QStringLiteral("All Files (*)"));
    if (!path.isEmpty())
        InsertFile(path, caption);
}

void TDocumentTools::InsertSkeleton()
{
    InsertFile(m_host.ProgramDir() + QStringLiteral("/Templates/Standard.tpl"), QStringLiteral("Minimal HTML code"));
}

void TDocumentTools::AttachPalette(QWidget *page)
{
    if (!page)
        return;
    auto *palette = new TPaletteStrip(page);
    auto *label = new QLabel(QStringLiteral("Click Color to insert"), page);
    label->setObjectName(QStringLiteral("lblColor"));
    label->setToolTip(QStringLiteral("Click on Palette to insert color"));
    label->setMinimumWidth(140);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    auto *layout = page->layout() ? qobject_cast<QBoxLayout *>(page->layout()) : new QHBoxLayout(page);
    if (!layout)
        return;
    // In front of the page's closing stretch, so the strip stands at its left.
    int at = layout->count();
    if (at > 0 && layout->itemAt(at - 1)->spacerItem())
        --at;
    layout->insertWidget(at++, palette);
    layout->insertWidget(at++, label);
    if (at == layout->count())
        layout->addStretch();
    connect(palette, &TPaletteStrip::hovered, label, [label](std::uint32_t rgb) {
        const QColor color = QColor::fromRgb(QRgb(rgb));
        label->setText(TextInsertion::ColorCaption(rgb));
        QPalette p = label->palette();
        p.setColor(QPalette::Window, color);
        p.setColor(QPalette::WindowText, color.lightness() < 128 ? Qt::white : Qt::black);
        label->setPalette(p);
    });
    connect(palette, &TPaletteStrip::clicked, this,
            [this](std::uint32_t rgb) { m_host.RunGuarded([&] { InsertEntity(TextInsertion::ColorCaption(rgb)); }); });
}

TCodeEdit &TDocumentTools::RequiredEditor() const
{
    auto *view = qobject_cast<TCodeEditView *>(m_host.RequiredEditorView());
    Q_ASSERT(view);
    return *view->Engine();
}

void TDocumentTools::InsertEntity(const QString &entity)
{
    TCodeEdit &edit = RequiredEditor();
    edit.SetSelText(entity);
    if (QWidget *view = m_host.ActiveEditorView())
        view->setFocus();
}

void TDocumentTools::ConvertRange(TCodeEdit &edit, const std::function<QString(QStringView)> &convert)
{
    edit.BeginUpdate();
    if (edit.SelEnd() - edit.SelStart() < 1)
        edit.SelectAll();
    const int start = edit.SelStart();
    const QString before = edit.SelText();
    const QString after = convert(before);
    if (after != before) {
        edit.SetSelText(after);
        edit.SetSelStart(start + int(after.size()));
    } else {
        edit.SetSelStart(edit.SelEnd());
    }
    edit.EndUpdate();
}

void TDocumentTools::RemoveAllTags()
{
    TCodeEdit &edit = RequiredEditor();
    if (edit.TotalCharCount() <= 2 && (edit.LineCount() == 0 || edit.Lines()[0].isEmpty()))
        return;
    const QString caption = QStringLiteral("removeTags");
    if (!m_host.AskYesNo(caption, QStringLiteral("Sure you want to remove all Tags?")))
        return;
    m_host.ShowStatus(QStringLiteral("Removing Tags..."));
    const Conversions::TRemovedTags removed = Conversions::RemoveAllTags(WholeText(edit), [&] {
        return m_host.AskYesNo(caption, QStringLiteral("Syntax Error: HTML opening bracket '<' is missing...\r\r"
                                                       "Continue?"));
    });
    QString text = removed.Text;
    if (!removed.Stopped
        && m_host.AskYesNo(caption, QStringLiteral("Removing tags finished.\rWould you like to trim trim the remaining "
                                                   "text to remove the remaining HTML indents?")))
        text = Conversions::TrimLineStarts(text);
    ReplaceWhole(edit, text);
}

void TDocumentTools::EntitiesChange(bool toCharacters)
{
    m_host.State().Set(&TWindowFlags::EntityDirection, toCharacters);
    TCodeEdit &edit = RequiredEditor();
    m_host.ShowStatus(QStringLiteral("Replacing Chars/Entities ... Please wait"));
    ConvertRange(edit, [&](QStringView text) {
        if (toCharacters)
            return m_entities.EntitiesToCharacters(text);
        qsizetype unnamed = 0;
        const QString named = m_entities.CharactersToEntities(text, true, false, &unnamed);
        // Characters HTML has no name for are offered as numeric references, once per conversion.
        if (unnamed > 0
            && m_host.AskYesNo(QStringLiteral("Replace Characters by Entities"),
                               QStringLiteral("%1 character(s) have no named entity.\r"
                                              "Write them as numeric references (&#x...;)?")
                                   .arg(unnamed)))
            return m_entities.CharactersToEntities(text, true, true);
        return named;
    });
    m_host.ShowStatus(QString()); // the wait is over
}

void TDocumentTools::TagsCaseConvert(bool upper)
{
    TCodeEdit &edit = RequiredEditor();
    if (edit.TotalCharCount() <= 2 && (edit.LineCount() == 0 || edit.Lines()[0].isEmpty())) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Change Tags"), QStringLiteral("No tags found!"));
        return;
    }
    m_host.ShowStatus(QStringLiteral("Changing Tags... please wait"));
    QString text = WholeText(edit);
    if (Conversions::ConvertTagCaseInPlace(text, upper))
        ReplaceWhole(edit, text);
    edit.SetSelStart(1);
    m_host.ShowStatus(QStringLiteral("Changing Tags... completed"));
}

void TDocumentTools::ReplaceSlashes()
{
    TCodeEdit &edit = RequiredEditor();
    m_host.ShowStatus(QStringLiteral("Replacing Slashes ( \\ -> / )..."));
    m_host.State().Set(&TWindowFlags::EntityDirection, false);
    ConvertRange(edit, [](QStringView text) { return Conversions::ReplaceSlashes(text); });
}

void TDocumentTools::TextToHtmlConverter()
{
    const QString path =
        m_host.ChooseOpenFile(QStringLiteral("Text 2 Html - Converter"), QStringLiteral("All Files (*)"));
    if (path.isEmpty())
        return;
    const QString name = QFileInfo(path).fileName();
    const InputFile::TRead read = InputFile::ReadRegularFile(path, kMaxTextFileBytes);
    if (!read.Error.isEmpty()) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Text 2 Html - Converter"), read.Error);
        return;
    }
    if (InputFile::LooksBinary(read.Bytes)) {
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("Text 2 Html - Converter"),
                           QStringLiteral("\"%1\" is not a text file: nothing was converted.").arg(name));
        return;
    }
    QString text = DecodeFileBytes(read.Bytes).Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    m_host.NewDocument();
    TCodeEdit &edit = RequiredEditor();
    edit.SetSelText(Conversions::TextToHtml(lines, m_entities).join(QStringLiteral("\r\n")));
    edit.SetSelStart(1);
}
