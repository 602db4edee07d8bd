// The side bar's character page: the character map with a name filter and a preview.
#pragma once

#include "doctools/core/charactertable.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QTreeWidget;

class TCharacterPage : public QWidget
{
    Q_OBJECT
public:
    explicit TCharacterPage(QWidget *parent = nullptr);

    void SetRows(const QList<TCharacterRow> &rows);
    QTreeWidget *List() const { return m_list; }
    QLineEdit *Filter() const { return m_filter; }

Q_SIGNALS:
    // A row was double-clicked (or Enter pressed on it): its entity goes into the document.
    void insertRequested(const QString &entity);

private:
    void ShowPreview();
    void ApplyFilter(const QString &text);

    QLineEdit *m_filter;
    QTreeWidget *m_list;
    QLabel *m_char;
    QLabel *m_html;
    QLabel *m_name;
};
