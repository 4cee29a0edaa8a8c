#pragma once

#include <QWidget>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace zr {

class FleetRun;
class frmMain;

/// Every profile's board at once: update or retrieve the checked ones, several
/// at a time, each by a zrctl of its own. A window of its own; while it is
/// open the main window offers what it offers during the communications
/// window, and the communications window itself is not offered.
class frmFleet : public QWidget {
    Q_OBJECT
public:
    enum Column { ProfileColumn, AddressColumn, CheckColumn, LastUpdateColumn, LastRetrieveColumn,
                  ProgressColumn, ResultColumn, ColumnCount };

    explicit frmFleet(frmMain& main);
    ~frmFleet() override;

    /// Lists the profiles again, all of them checked.
    void fillTable();
    QStringList selectedProfiles() const;
    /// Sends (update) or fetches (retrieve) the checked profiles' boards.
    void runSelected(bool update);
    /// Checks the checked profiles and shows the results; returns those with errors.
    QStringList checkSelected();
    /// Starts no new board; running ones finish their current step.
    void stopRun();
    bool isRunning() const;
    /// The worker program; tests and installations may place it differently.
    void setWorkerProgram(const QString& program) { m_worker = program; }
    static QString findWorkerProgram(const frmMain& main);

    QTableWidget* FleetTable = nullptr;
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdRetrieve = nullptr;
    QPushButton* cmdStop = nullptr;
    QSpinBox* Jobs = nullptr;
    QPlainTextEdit* Summary = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBoard(int index);
    void showRecord(int row);
    void runFinished();
    void setRunning(bool running);

    frmMain& m_main;
    QString m_worker;
    std::unique_ptr<FleetRun> m_run;
    QList<int> m_rowOfBoard;
    bool m_update = true;
    bool m_closeWhenDone = false;
    bool m_holding = false; // the main window's hold for a running command
    bool m_closed = false;
};

} // namespace zr
