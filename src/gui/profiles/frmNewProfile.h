#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace zr {

class frmMain;

/// Asks for the name and the IP address of a new profile and makes it the
/// main window's current profile.
class frmNewProfile : public QDialog {
    Q_OBJECT
public:
    explicit frmNewProfile(frmMain& main);

    /// With the list of existing profiles, whose addresses can be copied.
    bool CreateNewProfile();
    /// Without the list: the first profile of a new installation.
    bool CreateFirstProfile(bool reopenEditor);
    void UnloadME();

    std::array<QLineEdit*, 5> txt{};
    std::array<QLabel*, 4> lbl{};
    std::array<QGroupBox*, 2> Frame{};
    std::array<QRadioButton*, 2> Opt{};
    std::array<QPushButton*, 2> cmd{};
    QTreeWidget* ProfileList = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool waitForUser();
    void fillList();
    void typed();
    void copyAddress();
    void accept() override;
    void reject() override;
    bool validate();

    frmMain& m_main;
    bool m_waiting = false;
    bool m_created = false;
    bool m_copyAddress = false;
    bool m_nameTyped = false;
    bool m_addressTyped = false;
};

} // namespace zr
