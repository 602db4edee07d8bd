// The colour palette strip: reports the colour under the mouse and clicks on it.
#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>

class TPaletteStrip : public QWidget
{
    Q_OBJECT
public:
    explicit TPaletteStrip(QWidget *parent = nullptr);
    // The colour shown at a point of the strip.
    std::uint32_t ColorAt(QPoint pos) const;

Q_SIGNALS:
    void hovered(std::uint32_t rgb);
    void clicked(std::uint32_t rgb);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_image;
};
