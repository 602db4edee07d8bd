#include "app/ui/charsetguard.h"

#include "aids/core/myrichedit.h"
#include "app/core/charsetcheck.h"
#include "app/ui/documenttab.h"
#include "app/ui/mainwindow.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

using namespace CharsetCheck;

namespace {

LineAccess LinesOf(const TMyRichEdit *editor)
{
    const TEditLines &lines = editor->Lines();
    return [&lines](int i) { return QStringView(lines[i]); };
}

// The start of the document as one text, lines joined by LF, long enough for the search.
QString HeadOf(const TMyRichEdit *editor)
{
    const TEditLines &lines = editor->Lines();
    QString head;
    for (int i = 0; i < lines.Count() && head.size() < kSearchLength; ++i) {
        if (i > 0)
            head += QLatin1Char('\n');
        head += QStringView(lines[i]).left(kSearchLength);
    }
    return head;
}

// A position in HeadOf's text as the editor's coordinates (from 1).
TBufferCoord CoordOf(const QString &head, qsizetype position)
{
    const QStringView before = QStringView(head).left(position);
    const qsizetype lastBreak = before.lastIndexOf(u'\n');
    return BufferCoord(int(position - lastBreak), int(before.count(u'\n')) + 1);
}

QString DocumentName(const TDocumentTab *tab)
{
    const QString name = QFileInfo(tab->Path()).fileName();
    return name.isEmpty() ? tab->Path() : name;
}

} // namespace

QString TCharsetGuard::Ask(const QString &text, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Charset"), text, QMessageBox::NoButton, &m_w);
    box.setObjectName(QStringLiteral("CharsetQuestion"));
    QList<QPushButton *> pushes;
    for (const QString &b : buttons)
        pushes << box.addButton(b, QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(pushes.value(0));
    box.setEscapeButton(cancel);
    m_w.ExecDialog(box);
    const int index = int(pushes.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
    return index < 0 ? QString() : buttons.at(index);
}

bool TCharsetGuard::PrepareSave(TDocumentTab *tab, TDocumentFormat &format)
{
    return SettleUnstorable(tab, format) && SettleDeclaration(tab, format);
}

bool TCharsetGuard::SettleUnstorable(TDocumentTab *tab, TDocumentFormat &format)
{
    const TMyRichEdit *editor = tab->Editor();
    QList<TUnstorable> unstorable = Unstorable(editor->Lines().Count(), LinesOf(editor), format.Encoding);
    if (unstorable.isEmpty())
        return true;
    if (format.Encoding == TTextEncoding::Windows1252) {
        const QString save = QStringLiteral("Save as &UTF-8");
        const QString text =
            QStringLiteral("%1 cannot store these characters of %2:\n\n%3\n\nSave the document as UTF-8, or cancel "
                           "and write them as &#N; references.")
                .arg(EncodingName(format.Encoding), DocumentName(tab), DescribeUnstorable(unstorable));
        if (Ask(text, {save}) != save)
            return false;
        format.Encoding = TTextEncoding::Utf8;
        unstorable = Unstorable(editor->Lines().Count(), LinesOf(editor), format.Encoding);
        if (unstorable.isEmpty())
            return true;
    }
    // Only halves of surrogate pairs are left: no encoding holds them.
    const QString save = QStringLiteral("Save &Anyway");
    const QString text = QStringLiteral("No encoding can store these characters of %1:\n\n%2\n\nEach will be written "
                                        "as a question mark.")
                             .arg(DocumentName(tab), DescribeUnstorable(unstorable));
    return Ask(text, {save}) == save;
}

bool TCharsetGuard::SettleDeclaration(TDocumentTab *tab, TDocumentFormat &format)
{
    TMyRichEdit *editor = tab->Editor();
    const QString head = HeadOf(editor);
    const std::optional<TDeclaration> declaration = FindDeclaration(head);
    if (!declaration || Agrees(declaration->Name, format.Encoding, false))
        return true;
    if (Agrees(declaration->Name, format.Encoding, AsciiOnly(editor->Lines().Count(), LinesOf(editor))))
        return true;
    const QString accepted = declaration->Name.toLower() + QLatin1Char('|') + EncodingName(format.Encoding);
    if (tab->AcceptedCharsetMismatch() == accepted)
        return true;

    QStringList buttons;
    const std::optional<TTextEncoding> declared = EncodingOfCharset(declaration->Name);
    QString writeAs;
    if (declared && Unstorable(editor->Lines().Count(), LinesOf(editor), *declared, 1).isEmpty()) {
        writeAs = QStringLiteral("Write as &") + EncodingName(*declared);
        buttons << writeAs;
    }
    const QString newName = CharsetNameOf(format.Encoding);
    const QString declare = QStringLiteral("&Declare ") + newName;
    const QString asItIs = QStringLiteral("Save &As It Is");
    buttons << declare << asItIs;
    QString text = declared ? QStringLiteral("%1 declares charset %2, but is about to be saved as %3: browsers "
                                             "would misread its letters.")
                                  .arg(DocumentName(tab), declaration->Name, EncodingName(format.Encoding))
                            : QStringLiteral("%1 declares charset %2, which TagForge cannot write; it is about to be "
                                             "saved as %3.")
                                  .arg(DocumentName(tab), declaration->Name, EncodingName(format.Encoding));
    if (declared && writeAs.isEmpty())
        text += QStringLiteral("\n\n%1 cannot store all of its characters.").arg(EncodingName(*declared));
    const QString answer = Ask(text, buttons);
    if (answer.isEmpty())
        return false;
    if (answer == writeAs) {
        format.Encoding = *declared;
    } else if (answer == declare) {
        // One undoable change, the caret put back where it was.
        const TBufferCoord caret = editor->CaretXY();
        editor->SetBlockBegin(CoordOf(head, declaration->Start));
        editor->SetBlockEnd(CoordOf(head, declaration->Start + declaration->Length));
        editor->SetSelText(newName);
        editor->SetCaretXY(caret);
        editor->SetBlockBegin(caret);
        editor->SetBlockEnd(caret);
    } else {
        tab->SetAcceptedCharsetMismatch(accepted);
    }
    return true;
}

void TCharsetGuard::Report(TDocumentTab *tab)
{
    const TMyRichEdit *editor = tab->Editor();
    const std::optional<TDeclaration> declaration = FindDeclaration(HeadOf(editor));
    if (!declaration || Agrees(declaration->Name, tab->Format().Encoding, false))
        return;
    const QString text = MismatchText(declaration, tab->Format().Encoding,
                                      AsciiOnly(editor->Lines().Count(), LinesOf(editor)));
    if (!text.isEmpty())
        m_w.ShowStatusMessage(DocumentName(tab) + QStringLiteral(": ") + text);
}
