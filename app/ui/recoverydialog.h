// The question at start when an earlier run left unsaved documents: which to open again, with
// what each changes against its file.
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPlainTextEdit;

class TRecoveryDialog : public QDialog
{
    Q_OBJECT
public:
    // The dialog's results besides Accepted (recover the checked ones) and Rejected (ask again
    // at the next start).
    static constexpr int Discarded = 2;

    struct TItem
    {
        QString Title;      // the file, or the untitled document's name
        QString Detail;     // when it was written
        QString Difference; // what it changes against the file
        bool operator==(const TItem &) const = default;
    };

    explicit TRecoveryDialog(const QList<TItem> &items, QWidget *parent = nullptr);

    QListWidget *List() const { return m_list; }
    QPlainTextEdit *DifferenceView() const { return m_difference; }
    // The rows left checked, in order.
    QList<int> Checked() const;

private:
    QList<TItem> m_items;
    QListWidget *m_list;
    QPlainTextEdit *m_difference;
};
