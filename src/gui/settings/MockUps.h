#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace zr {

// Pictures that the settings windows draw for themselves.

/// The OCB as it stands, upright or turned on its side, with its screen.
QPixmap orientationPicture(bool landscape);
/// The empty order screen: heading, columns and the total bar.
QPixmap orderScreenPicture(const QSize& size);
/// A sample product shot for the order screen.
QPixmap itemPicture(const QSize& size);

/// Shows the picture file scaled into the label; an empty or unreadable file clears it.
void showPicture(QLabel* label, const QString& path);

/// A picture that can be clicked.
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

/// A rectangle drawn around what it holds, in a colour of its own.
class FrameShape : public QWidget {
    Q_OBJECT
public:
    explicit FrameShape(QWidget* parent = nullptr);
    QColor BorderColor() const { return m_color; }
    void setBorderColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::black;
};

} // namespace zr
