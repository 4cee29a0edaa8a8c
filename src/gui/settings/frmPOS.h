#pragma once

#include <QWidget>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zr {

class frmMain;

/// Edits how the OCB talks to the restaurant's point-of-sale system. Every
/// visit and every change is written to the profile's Event.log.
class frmPOS : public QWidget {
    Q_OBJECT
public:
    explicit frmPOS(frmMain& main);

    bool Changed();
    void Apply();
    /// Enables the fields that the chosen POS system uses.
    void EnableFields();
    /// The Event.log entry: a heading and the POS settings now stored.
    QString LogEntry(bool entered);

    std::array<QComboBox*, 5> cmb{};
    QLineEdit* txt = nullptr;
    std::array<QPushButton*, 3> cmd{};

private:
    void load();
    void fillNames();
    /// Shows a stored value, offering it when the list does not hold it yet.
    void showStored(QComboBox* list, const QString& value);

    frmMain& m_main;
};

} // namespace zr
