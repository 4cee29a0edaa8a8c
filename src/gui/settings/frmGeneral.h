#pragma once

#include <QWidget>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zr {

class frmMain;
class FrameShape;
class PictureLabel;

/// Edits the OCB's address, vehicle detect, display orientation and language
/// of the current profile, with a preview of the installed fonts.
class frmGeneral : public QWidget {
    Q_OBJECT
public:
    explicit frmGeneral(frmMain& main);

    bool Changed();
    /// Stores the settings when the address is valid; false (with the message) when not.
    bool Apply();
    /// The display mode that Apply stores: "portrait" or "landscape".
    QString DisplayMode() const { return m_displayMode; }

    std::array<QGroupBox*, 5> fra{};
    QLabel* lblIP = nullptr;
    QLineEdit* txt = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QRadioButton*, 2> opt{};
    std::array<PictureLabel*, 2> Img{};
    std::array<FrameShape*, 2> shp{};
    QComboBox* cmb = nullptr;
    QListWidget* lst = nullptr;
    QLabel* lbl = nullptr;
    std::array<QPushButton*, 3> cmd{};

private:
    void chooseOrientation(int index);
    void showSettings();
    /// The language of the chosen list entry, or the profile's when none is chosen.
    QString chosenLanguage();

    frmMain& m_main;
    QString m_displayMode;
};

} // namespace zr
