#pragma once

#include "menu/MenuCheckWalk.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zr {

class frmEditMenuItems;
class frmMain;

/// Walks through the items file line by line, shows the seven fields of each
/// line and marks the first one that breaks the record rules, so that the
/// user can correct the line in place. The lines accepted replace the file
/// when the user agrees, and the menu editor loads it again.
///
/// The reading, the walk and the saving are MenuCheckWalk's; lines not
/// accepted yet are written back as they are, and the editor flags them again.
class frmMenuCheck : public QWidget {
    Q_OBJECT
public:
    frmMenuCheck(frmMain& main, frmEditMenuItems* editor);

    /// "Next Record": reads on, one line or up to the next line with a problem.
    void NextRecord();
    /// "Reload Current Record": the current line as the file holds it.
    void ReloadCurrentRecord();

    bool saved() const { return m_saved; }

    QLineEdit* txt = nullptr;
    std::array<QPushButton*, 3> cmd{};  // 0 next record, 1 exit, 2 reload current record
    std::array<QRadioButton*, 2> opt{}; // 0 break on each record, 1 break on the next problem
    std::array<QLabel*, 17> lbl{};      // 2-8 help lines, 9-15 the values of fields 1 to 7, 16 extra text
    std::array<QLabel*, 3> Img{};       // 0 stop mode, 1 problem, 2 finished

protected:
    QSize sizeHint() const override { return {760, 380}; }
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void setLine(const QString& line);
    void lineChanged();
    void checkLine();
    void finish();
    void writeRepairedFile();
    void clearValues();
    void showStatus();

    frmMain& m_main;
    QPointer<frmEditMenuItems> m_editor;
    std::optional<MenuCheckWalk> m_walk; // once the walk has started
    bool m_atEnd = false;                // the last line has been read
    QString m_lineText;                  // the text of txt as the file holds it
    bool m_problem = false;
    bool m_finished = false;
    bool m_saved = false;
    bool m_closed = false;
    bool m_settingLine = false;
};

} // namespace zr
