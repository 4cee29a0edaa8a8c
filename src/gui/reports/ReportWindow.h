#pragma once

#include "reports/Report.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class QVBoxLayout;

namespace zr {

class frmMain;
class ReportModel;

/// What sets one report window apart from the others.
struct ReportWindowSetup {
    QString objectName;
    QString caption;
    QString heading;
    QString listName;     // objectName of the report list
    QString statsFolder;  // below the profile's Stats folder; empty for Stats itself
    bool padFile = false; // pad files: "*.pad" is offered, and leaving UserFileName builds the report
    Report empty;
    std::function<Report(const QString& path)> read;
};

/// A read-only report over one statistics file: the heading, the file name
/// with its selection button, the report list, and the export to CSV.
class ReportWindow : public QWidget {
    Q_OBJECT
public:
    QLabel* Title = nullptr;
    QLineEdit* UserFileName = nullptr;
    QPushButton* FileSelect = nullptr;
    QPushButton* Export = nullptr;

    ReportModel& model() const { return *m_model; }
    QTreeView* list() const { return m_list; }

    /// Opens the file dialog; a chosen file is shown and its report built.
    void FileSelect_Click();
    /// Builds the report from the file named in UserFileName (empty: no rows).
    void BuildReport();
    /// Asks where to save, then writes what the window shows as CSV.
    void ExportReport();

    /// The profile folder the file dialog opens in.
    QString statisticsFolder() const;
    QString fileFilter() const;

    /// Wide enough for every column of the report list, and high enough for a page of rows.
    QSize sizeHint() const override;

protected:
    ReportWindow(frmMain& main, ReportWindowSetup setup);

    /// What Export writes, and the end of the name it proposes.
    virtual QString exportText() const;
    virtual QString exportSuffix() const { return QString(); }
    /// Called after every build of the report.
    virtual void reportBuilt() {}
    /// Sizes the list's columns by the heading and the first rows; the goal
    /// column always has room for its mark.
    void fitColumns();

    frmMain& m_main;
    QVBoxLayout* m_body = nullptr; // where the window puts its report list

private:
    void leaveFileName();

    ReportWindowSetup m_setup;
    ReportModel* m_model = nullptr;
    QTreeView* m_list = nullptr;
};

} // namespace zr
