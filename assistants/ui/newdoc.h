// TfrmNewDoc: the choice a new document starts from: the HTML Wizard or one of the templates.
// It only chooses; the caller runs the wizard or loads the template.
#pragma once

#include <QDialog>
#include <QString>

class QListWidget;
class QPushButton;

class TfrmNewDoc : public QDialog
{
    Q_OBJECT
public:
    TfrmNewDoc(QWidget *owner, const QString &templatesDir);

    // After OK: the chosen template's file (empty for the wizard), and whether the wizard was chosen.
    QString TemplateFile() const { return m_templateFile; }
    bool WizardChosen() const { return m_wizard; }

    // Selects the entry of that caption; false when there is none.
    bool SelectEntry(const QString &caption);
    // OK: closes with the selected entry; with none selected it does nothing.
    void btnOkClick();
    QListWidget *Templates() const { return m_templates; }

private:
    QListWidget *m_templates;
    QPushButton *m_ok;
    QString m_templateFile;
    bool m_wizard = false;
};
