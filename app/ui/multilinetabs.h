// The document tabs in several rows: a strip of buttons that wraps, standing in for the tab bar.
#pragma once

#include <QLayout>
#include <QList>
#include <QStringList>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QTabWidget;

// Lays its items out left to right and wraps them into as many rows as the width needs.
class TFlowLayout : public QLayout
{
public:
    explicit TFlowLayout(QWidget *parent) : QLayout(parent) {}
    ~TFlowLayout() override;
    void addItem(QLayoutItem *item) override { m_items.append(item); }
    int count() const override { return int(m_items.size()); }
    QLayoutItem *itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem *takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return Arrange(QRect(0, 0, width, 0), false); }
    QSize sizeHint() const override { return minimumSize(); }
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;

private:
    int Arrange(const QRect &rect, bool place) const;
    QList<QLayoutItem *> m_items;
};

// Mirrors a QTabWidget's tabs as wrapping buttons while multi-line tabs are on: a click selects
// the document, a middle click asks to close it, and the widget's own tab bar is hidden.
class TMultiLineTabs : public QWidget
{
    Q_OBJECT
public:
    TMultiLineTabs(QTabWidget *tabs, QWidget *parent);
    bool Active() const { return m_active; }
    void SetActive(bool active);
    // Brings the buttons up to date with the tabs' texts and the current tab.
    void Sync();

Q_SIGNALS:
    void CloseRequested(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTabWidget *m_tabs;
    TFlowLayout *m_flow;
    QButtonGroup *m_group;
    QStringList m_texts;
    bool m_active = false;
};
