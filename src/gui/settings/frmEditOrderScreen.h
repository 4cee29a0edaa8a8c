#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zr {

class frmMain;

/// Edits the order screen (tax, total and line-item prices, the day parts'
/// messages) and the total screen, with a mock-up of the order screen.
class frmEditOrderScreen : public QWidget {
    Q_OBJECT
public:
    explicit frmEditOrderScreen(frmMain& main);

    /// Widest message the order screen can show, in twips.
    static constexpr int MessageWidthTwips = 4020;

    bool Changed() const { return m_changed; }
    void Apply();
    /// Shows the prices, tax and total that the check boxes ask for.
    void RefreshMockUp();

    std::array<QCheckBox*, 4> chk{};
    QComboBox* Delay = nullptr;
    std::array<QLineEdit*, 3> txt{};
    QWidget* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QLabel*, 3> Price{};
    QLabel* ItemPic = nullptr;
    QLabel* Tax = nullptr;
    QLabel* Total = nullptr;
    QLabel* Message = nullptr;
    std::array<QPushButton*, 3> cmd{};

private:
    void load();
    void showMessage(const QString& text);

    frmMain& m_main;
    bool m_changed = false;
};

} // namespace zr
