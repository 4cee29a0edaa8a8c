#pragma once

#include "comm/OcbTransfer.h"

#include <QWidget>
#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace zr {

class frmMain;

/// Moves one profile between the PC and its OCB: update sends the profile,
/// retrieve fetches the OCB's settings and statistics. A window of its own;
/// while it is open the main window's toolbar, "&Edit" and "&View" are disabled.
class frmOCBComm : public QWidget {
    Q_OBJECT
public:
    explicit frmOCBComm(frmMain& main);
    ~frmOCBComm() override;

    void FillProfileList();
    void ShowLastUpdated();
    QString lastTransfer(bool update) const;
    void ShowLastRetrieved();
    /// Applies the options kept in zr.ini; a file that cannot be read leaves them as they are.
    void LoadCommSettings();
    void SaveCommSettings();
    /// The command button: update or retrieve the chosen profile.
    void RunCommand();

    /// The choices of the window for the next command.
    TransferChoices choices() const;
    /// True from the start to the end of a command; the window cannot be closed meanwhile.
    bool Busy() const { return m_busy; }

    QComboBox* cmb = nullptr;
    QLabel* IP = nullptr;
    QLabel* lblDate = nullptr;
    std::array<QGroupBox*, 3> fra{};
    std::array<QRadioButton*, 5> opt{};
    std::array<QCheckBox*, 5> chk{};
    std::array<QPushButton*, 2> cmd{}; // 0 update or retrieve, 1 exit
    std::array<QLabel*, 5> lbl{};      // 0 and 1 captions, 4 the status line
    QProgressBar* ProgressBar = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void opening();
    void setMainControls(bool enabled);
    /// The window takes no input during a command; the status line stays readable.
    void takeInput(bool on);
    void profileChosen();
    /// Selects an option and runs its rule, also when it was selected already.
    void select(int index);
    void optionRule(int index);
    void showStatus(const QString& text, int value, int maximum);
    QString profile() const;
    std::optional<bool> transfer(bool update);

    frmMain& m_main;
    QWidget* m_inputs = nullptr; // everything the user may change; disabled during a command
    bool m_busy = false;
    bool m_closed = false;
};

} // namespace zr
