#pragma once

#include <QDialog>

namespace zr {

/// The program's version numbers as text, "major.minor.revision".
QString versionText();

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};

} // namespace zr
