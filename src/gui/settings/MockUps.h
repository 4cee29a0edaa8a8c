#pragma once

#include "draw/MockUps.h"

#include <QColor>
#include <QLabel>
#include <QWidget>

namespace zr {

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
