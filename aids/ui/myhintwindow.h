// TMyHintWindow: the tooltip next to the caret showing a tag's parameters, names bold and
// descriptions in navy.
#pragma once

#include "aids/core/taghintlayout.h"

#include <QWidget>

class TMyHintWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TMyHintWindow(QWidget *parent = nullptr);

    // The window's size for the parameter lines (one line, or wrapped to 450 pixels).
    TagHintLayout::TLayout CalcHintRect(const QStringList &lines) const;
    // Shows the lines with the window's top left corner at `topLeft` (screen coordinates),
    // kept on the screen.
    void ActivateHint(const QPoint &topLeft, const QStringList &lines);
    const QStringList &Lines() const { return m_lines; }

    QFont NameFont() const;
    static QColor DescriptionColor() { return QColor(0x00, 0x00, 0x80); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_lines;
    TagHintLayout::TLayout m_layout;
};
