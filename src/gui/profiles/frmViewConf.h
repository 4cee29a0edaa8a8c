#pragma once

#include <QWidget>
#include <array>

class QListWidget;
class QPushButton;
class QRadioButton;

namespace zr {

class frmMain;

/// Shows one of the current profile's configuration and log files, read-only, line by line.
class frmViewConf : public QWidget {
    Q_OBJECT
public:
    explicit frmViewConf(frmMain& main);

    void ShowChosenFile();
    void Refresh();

    /// Room for a hundred characters of a file and thirty of its lines.
    QSize sizeHint() const override;

    std::array<QRadioButton*, 5> opt{};
    std::array<QPushButton*, 2> cmd{};
    QListWidget* lst = nullptr;

private:
    frmMain& m_main;
};

} // namespace zr
