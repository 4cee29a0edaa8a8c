#pragma once

#include <QColor>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace zr {

class frmMain;

/// Edits the pre-sell message: its lines, colours, display type and the delay
/// before the slideshow resumes. The lines are shown in the chosen colours.
class frmEditPreSellMessage : public QWidget {
    Q_OBJECT
public:
    explicit frmEditPreSellMessage(frmMain& main);

    static constexpr int MaxLines = 20;
    static constexpr int MaxLineLength = 50;

    bool Changed();
    void Apply();
    void AddLine();
    void InsertLine();
    void RemoveLine();
    QColor TextColor() const { return m_fore; }
    QColor BackColor() const { return m_back; }

    QTreeWidget* MessageList = nullptr;
    QLineEdit* txt = nullptr;
    QCheckBox* chk = nullptr;
    QComboBox* cmb = nullptr;
    std::array<QPushButton*, 8> cmd{};

private:
    void load();
    void placeNewLine(int row);
    void setColors(const QColor& fore, const QColor& back);
    void chooseColor(bool text);
    QStringList lines() const;

    frmMain& m_main;
    QColor m_fore, m_back;
};

} // namespace zr
