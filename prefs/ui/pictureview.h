// The image viewer's picture control: draws the picture centred or stretched and reports the
// pixel under the mouse in the kept copy and in the file's own coordinates.
#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

class TPictureView : public QWidget
{
    Q_OBJECT
public:
    explicit TPictureView(QWidget *parent = nullptr);

    // image is the copy kept in memory, originalSize the file's own size.
    void SetPicture(const QImage &image, QSize originalSize);
    const QImage &Picture() const { return m_image; }
    void SetStretch(bool stretch);
    bool Stretch() const { return m_stretch; }
    // Where the picture is drawn, in this control's coordinates.
    QRect PictureRect() const;
    // The colour under point, nothing outside the picture.
    std::optional<QRgb> ColorAt(QPoint point) const;
    // The file's pixel under point, for image maps.
    std::optional<QPoint> PixelAt(QPoint point) const;

signals:
    void leftPressed(QPoint point);
    void rightPressed(QPoint point);
    void moved(QPoint point);
    void released();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_image;
    QSize m_originalSize;
    bool m_stretch = false;
};
