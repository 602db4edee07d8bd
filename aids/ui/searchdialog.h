// TSearchDialog: the modeless find dialog (FindDialog1) and replace dialog (ReplaceDialog1).
#pragma once

#include "aids/core/findreplace.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TSearchDialog : public QDialog
{
    Q_OBJECT
public:
    // A find dialog, or with `replace` a replace dialog (no direction: replacing runs forwards).
    explicit TSearchDialog(bool replace, QWidget *parent = nullptr);

    bool IsReplace() const { return m_replace; }
    TSearchDialogState State() const;
    QString FindText() const;
    void SetFindText(const QString &text);

    QLineEdit *FindEdit() const { return m_findEdit; }
    QLineEdit *ReplaceEdit() const { return m_replaceEdit; }
    QCheckBox *MatchCaseBox() const { return m_matchCase; }
    QCheckBox *WholeWordBox() const { return m_wholeWord; }
    QRadioButton *DownButton() const { return m_down; }
    QRadioButton *UpButton() const { return m_up; }
    QPushButton *FindNextButton() const { return m_findNext; }
    QPushButton *ReplaceButton() const { return m_replaceOne; }
    QPushButton *ReplaceAllButton() const { return m_replaceAll; }

Q_SIGNALS:
    // Find Next was pressed.
    void Find(TSearchDialog *sender);
    // Replace (all false) or Replace All (all true) was pressed.
    void Replace(TSearchDialog *sender, bool all);

private:
    void UpdateButtons();

    bool m_replace;
    QLineEdit *m_findEdit = nullptr;
    QLineEdit *m_replaceEdit = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QRadioButton *m_down = nullptr;
    QRadioButton *m_up = nullptr;
    QPushButton *m_findNext = nullptr;
    QPushButton *m_replaceOne = nullptr;
    QPushButton *m_replaceAll = nullptr;
};
