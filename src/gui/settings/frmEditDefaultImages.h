#pragma once

#include "model/FileManager.h"

#include <QWidget>
#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace zr {

class frmMain;

/// Chooses the profile's default item image and default POP image from the
/// application's picture folders, with previews.
class frmEditDefaultImages : public QWidget {
    Q_OBJECT
public:
    explicit frmEditDefaultImages(frmMain& main);

    bool Changed();
    void Apply();

    std::array<QListWidget*, 2> lst{};
    std::array<QLabel*, 2> Img{};
    std::array<QLabel*, 4> lbl{};
    std::array<QPushButton*, 3> cmd{};

private:
    void fill(int list, const QString& folder, const QString& stored);
    void showChoice(int list);
    QString chosen(int list) const;

    frmMain& m_main;
    std::array<FileManager, 2> m_catalogues;
    std::array<int, 2> m_shownRow{-1, -1}; // the row each list last showed, to go back to
};

} // namespace zr
