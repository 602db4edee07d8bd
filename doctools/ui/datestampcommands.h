// The date commands: current date and time, labelled dates, the AutoDate page's stamps and their
// refresh, which also runs before every save and on the text of every preview copy.
#pragma once

#include "doctools/core/datestamps.h"

#include <QDateTime>
#include <QObject>

#include <functional>

class QCheckBox;
class QComboBox;
class QWidget;
class TCodeEdit;
class TCommandHost;

class TDateStampCommands : public QObject
{
    Q_OBJECT
public:
    TDateStampCommands(TCommandHost &host, QObject *parent);

    // Fills the QuickBar's AutoDate page.
    void AttachPage(QWidget *page);

    void btnInsAutoDateClick();
    void btnRefreshAutoDatesClick();
    // Rewrites the stamps of edit as one undo step; the caret keeps its character position.
    void RefreshAutoDates(TCodeEdit &edit);
    void InsertFormatted(const QString &prefix, const QString &format);
    void TextDatum1Click();

    QComboBox *DateBox() const { return m_cbxDate; }
    QCheckBox *JustDateBox() const { return m_chkJustDate; }
    // Tests fix the clock and the locale.
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };
    DateStamps::TDateLocale Locale;

private:
    TCodeEdit &RequiredEditor() const;
    QString DateText(const QString &format) const;

    TCommandHost &m_host;
    QComboBox *m_cbxDate = nullptr;
    QCheckBox *m_chkJustDate = nullptr;
};
