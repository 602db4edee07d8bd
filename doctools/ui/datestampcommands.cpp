// The date commands and the AutoDate page.
#include "doctools/ui/datestampcommands.h"

#include "editor/core/codeedit.h"
#include "editor/ui/codeeditview.h"
#include "platform/qt/commandhost.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

TDateStampCommands::TDateStampCommands(TCommandHost &host, QObject *parent)
    : QObject(parent), Locale(DateStamps::FromQLocale(QLocale::system())), m_host(host)
{
    m_host.BindCommand(QStringLiteral("CurrDate1"),
                       [this] { InsertFormatted(QString(), QStringLiteral("ddd, mmmm d, yyyy")); });
    m_host.BindCommand(QStringLiteral("CurrTime1"),
                       [this] { InsertFormatted(QString(), QStringLiteral("hh:mm\"h\"")); });
    m_host.BindCommand(QStringLiteral("TextDatum1"), [this] { TextDatum1Click(); });
    m_host.BindCommand(QStringLiteral("LastUpdateDate1"),
                       [this] { InsertFormatted(QStringLiteral("Last updated: "), QStringLiteral("dd.mm.yy")); });
    m_host.BindCommand(QStringLiteral("CreatedDate1"),
                       [this] { InsertFormatted(QStringLiteral("Created: "), QStringLiteral("dd.mm.yy")); });
    m_host.BindCommand(QStringLiteral("AutoDateRefresh1"), [this] { btnRefreshAutoDatesClick(); });
    m_host.WhenSaving([this](TCodeEdit &edit) { RefreshAutoDates(edit); });
    // The copy shows the dates of the moment it is written; the document itself is left alone,
    // so a preview every few seconds neither marks it modified nor fills its undo list.
    m_host.SetCopyTextFilter([locale = Locale, now = Now](const QString &text) {
        if (!text.contains(QLatin1StringView("<!--"), Qt::CaseInsensitive))
            return text;
        const QDateTime when = now();
        const DateStamps::TRefresh refresh = DateStamps::RefreshAutoDates(
            text, [&](const QString &format) { return DateStamps::FormatDateTime(format, when, locale); });
        return DateStamps::ApplyRefresh(text, refresh);
    });
}

TCodeEdit &TDateStampCommands::RequiredEditor() const
{
    auto *view = qobject_cast<TCodeEditView *>(m_host.RequiredEditorView());
    Q_ASSERT(view);
    return *view->Engine();
}

QString TDateStampCommands::DateText(const QString &format) const
{
    return DateStamps::FormatDateTime(format, Now(), Locale);
}

void TDateStampCommands::AttachPage(QWidget *page)
{
    if (!page)
        return;
    auto *layout = page->layout() ? qobject_cast<QBoxLayout *>(page->layout()) : new QHBoxLayout(page);
    if (!layout)
        return;
    const auto button = [page](const char *name, const char *icon, const char *hint) {
        auto *b = new QToolButton(page);
        b->setObjectName(QLatin1String(name));
        b->setIcon(QIcon::fromTheme(QLatin1String(icon)));
        b->setToolTip(QLatin1String(hint));
        b->setAutoRaise(true);
        return b;
    };
    QToolButton *insert = button("btnInsAutoDate", "appointment-new", "Insert AutoDate Statement");
    QToolButton *refresh = button("btnRefreshAutoDates", "view-refresh", "Update All AutoDate Dates/Times");
    auto *label = new QLabel(QStringLiteral("Date Type:"), page);
    label->setObjectName(QStringLiteral("Label5"));
    m_cbxDate = new QComboBox(page);
    m_cbxDate->setObjectName(QStringLiteral("cbxDate"));
    m_cbxDate->setEditable(true);
    m_cbxDate->addItems(DateStamps::DateChoices());
    m_cbxDate->setEditText(DateStamps::InitialDateChoice());
    m_cbxDate->setMinimumContentsLength(36);
    m_cbxDate->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    label->setBuddy(m_cbxDate);
    m_chkJustDate = new QCheckBox(QStringLiteral("Insert Date Only (no AutoDate Statement)"), page);
    m_chkJustDate->setObjectName(QStringLiteral("chkJustDate"));
    // In front of the page's closing stretch, so the controls stand at its left.
    int at = layout->count();
    if (at > 0 && layout->itemAt(at - 1)->spacerItem())
        --at;
    for (QWidget *w : {static_cast<QWidget *>(insert), static_cast<QWidget *>(refresh), static_cast<QWidget *>(label),
                       static_cast<QWidget *>(m_cbxDate), static_cast<QWidget *>(m_chkJustDate)})
        layout->insertWidget(at++, w);
    if (at == layout->count())
        layout->addStretch();
    m_cbxDate->lineEdit()->setCursorPosition(0);
    connect(insert, &QToolButton::clicked, this, [this] { m_host.RunGuarded([this] { btnInsAutoDateClick(); }); });
    connect(refresh, &QToolButton::clicked, this,
            [this] { m_host.RunGuarded([this] { btnRefreshAutoDatesClick(); }); });
}

void TDateStampCommands::btnInsAutoDateClick()
{
    TCodeEdit &edit = RequiredEditor();
    const QString format = DateStamps::FormatOfChoice(m_cbxDate ? m_cbxDate->currentText() : QString());
    const bool dateOnly = m_chkJustDate && m_chkJustDate->isChecked();
    edit.SetSelText(DateStamps::AutoDateStatement(format, DateText(format), dateOnly));
    if (QWidget *view = m_host.ActiveEditorView())
        view->setFocus();
}

void TDateStampCommands::btnRefreshAutoDatesClick()
{
    RefreshAutoDates(RequiredEditor());
}

void TDateStampCommands::RefreshAutoDates(TCodeEdit &edit)
{
    if (edit.TotalCharCount() <= 2 && (edit.LineCount() == 0 || edit.Lines()[0].isEmpty()))
        return;
    const QDateTime when = Now();
    const TEditLines &lines = edit.Lines();
    const DateStamps::TRefresh refresh = DateStamps::RefreshAutoDates(
        lines.Count(), [&](int i) { return QStringView(lines[i]); },
        [&](const QString &format) { return DateStamps::FormatDateTime(format, when, Locale); });
    m_host.ShowStatus(refresh.Error.isEmpty() ? DateStamps::ScanningMessage(refresh.LastScan) : refresh.Error);
    if (refresh.Replacements.isEmpty())
        return;
    const int selStart = edit.SelStart();
    QList<TCodeEdit::TTextReplacement> ranges;
    ranges.reserve(refresh.Replacements.size());
    for (const DateStamps::TDateReplacement &r : refresh.Replacements)
        ranges.append({int(r.Start) + 1, int(r.End) + 1, r.Text});
    edit.BeginUpdate();
    edit.ReplaceRanges(ranges);
    edit.SetSelStart(selStart);
    edit.SetSelEnd(selStart);
    edit.EndUpdate();
}

void TDateStampCommands::InsertFormatted(const QString &prefix, const QString &format)
{
    TCodeEdit &edit = RequiredEditor();
    edit.SetSelText(prefix + DateText(format));
}

void TDateStampCommands::TextDatum1Click()
{
    TCodeEdit &edit = RequiredEditor();
    QString text;
    if (!m_host.InputQuery(QStringLiteral("Insert Text + Date"), QStringLiteral("Please enter Text:"), text))
        return;
    edit.SetSelText(text + u' ' + DateText(QStringLiteral("dd.mm.yy")));
}
