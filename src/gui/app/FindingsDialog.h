#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace zr {

struct CheckResult;

/// The check's findings as a list: severity, place and what to do, with the
/// summary and the bytes to send under it.
///
/// Before an update, errors offer Cancel and "Send anyway", warnings only
/// Continue and Cancel; accepting means send. To look at the findings only,
/// the one button is Close.
class FindingsDialog : public QDialog {
public:
    enum class Use { BeforeUpdate, Review };
    FindingsDialog(const CheckResult& result, Use use, QWidget* parent = nullptr);

    QTableWidget* FindingsList;
    QLabel* Summary;
    QPushButton* cmdGo = nullptr; // "&Send anyway" or "&Continue"; none to review
    QPushButton* cmdCancel;       // "&Cancel", or "&Close" to review
};

} // namespace zr
