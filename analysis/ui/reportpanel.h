// The report page: the rows of the last syntax or link check, and the jump to a row's line.
#pragma once

#include "analysis/core/checkreport.h"

#include <QWidget>

class QIcon;
class QLabel;
class QTreeView;
class TReportRowModel;

// The report's image list: the icon of a TReportImage, also used by other lists of links.
QIcon ReportRowIcon(int image);

class TReportPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TReportPanel(QWidget *parent = nullptr);

    QTreeView *elvReport() const { return m_list; }
    TReportRowModel *ReportModel() const { return m_model; }
    QString Title() const;
    bool ReportStyle() const { return m_reportStyle; }
    const QList<TReportRow> &Rows() const;

    // Shows rows under title; report style shows the link columns, list style captions only.
    void ShowRows(const QString &title, const QList<TReportRow> &rows, bool reportStyle);

Q_SIGNALS:
    // A row naming a line was double-clicked.
    void LineChosen(int line);
    // A row naming a line of another file (an included one, from 0) was double-clicked.
    void FileLineChosen(const QString &file, int line);

private:
    QLabel *m_title[3];
    QTreeView *m_list;
    TReportRowModel *m_model;
    bool m_reportStyle = false;
};
