#pragma once

#include <QWidget>

namespace zr {

/// Shown for about a second while the program starts.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zr
