#include "menu/frmMenuCheck.h"

#include "app/AppPaths.h"
#include "app/EditorSupport.h"
#include "app/Prompts.h"
#include "app/WindowsText.h"
#include "app/frmMain.h"
#include "menu/LineCheck.h"
#include "menu/MenuCheckWalk.h"
#include "menu/frmEditMenuItems.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <limits>

namespace zr {

namespace {

const char* const HelpLines[] = {
    R"(Short Descriptor:    "alpha-numeric")",      R"(Long Descriptor:    "alpha-numeric")",
    R"(Item Image:           "alpha-numeric.jpg")", R"(Family Group:        10,20,30,40 or 50)",
    R"(Show Item:            "TRUE" or "FALSE")",   R"(Associated POP:    "" or "alpha-numeric.jpg")",
    R"(Track Item:            "TRUE" or "FALSE")",
};
constexpr int FirstValue = 9;
constexpr int ExtraText = 16;

void setBackground(QLabel* box, bool problem) {
    box->setStyleSheet(problem ? "background-color: rgb(255, 255, 0);"
                               : "background-color: rgb(224, 224, 224);");
}

} // namespace

frmMenuCheck::frmMenuCheck(frmMain& main, frmEditMenuItems* editor) : m_main(main), m_editor(editor) {
    setObjectName("frmMenuCheck");
    setWindowTitle("Checking Menu For Errors");
    buildWindow();
    clearValues();
    txt->clear();
    txt->setEnabled(false);
    cmd[0]->setEnabled(true);
    cmd[2]->setEnabled(false);
    showStatus();
}

void frmMenuCheck::buildWindow() {
    for (int i = 0; i < static_cast<int>(lbl.size()); ++i) {
        lbl[i] = new QLabel(this);
        lbl[i]->setObjectName(QString("lbl_%1").arg(i));
    }
    lbl[0]->setText("Proper Format of the record should be:");
    lbl[1]->setText(shownText(ExampleRecord));
    QFont bold = lbl[1]->font();
    bold.setBold(true);
    lbl[1]->setFont(bold);
    for (int i = 0; i < 7; ++i)
        lbl[2 + i]->setText(HelpLines[i]);
    for (int i = FirstValue; i <= ExtraText; ++i) {
        lbl[i]->setMinimumWidth(260);
        lbl[i]->setFrameShape(QFrame::Panel);
        lbl[i]->setFrameShadow(QFrame::Sunken);
        lbl[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        setBackground(lbl[i], false);
    }

    txt = new QLineEdit(this);
    txt->setObjectName("txt");
    txt->setMaxLength(std::numeric_limits<int>::max()); // a long line is shown whole, never cut
    storableTextOnly(m_main, txt, "Check Record");
    connect(txt, &QLineEdit::textChanged, this,
            [this] { m_main.guard().run("Check Record", [this] { lineChanged(); }); });

    const char* const captions[] = {"Next Record", "E&xit", "Reload Current Record"};
    const char* const tags[] = {"Next Record", "Exit", "Reload Current Record"};
    for (int i = 0; i < 3; ++i) {
        cmd[i] = new QPushButton(captions[i], this);
        cmd[i]->setObjectName(QString("cmd_%1").arg(i));
        cmd[i]->setProperty("Tag", QString(tags[i]));
    }
    connect(cmd[0], &QPushButton::clicked, this,
            [this] { m_main.guard().run("Next Record", [this] { NextRecord(); }); });
    connect(cmd[1], &QPushButton::clicked, this, [this] {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
            frame->close();
        else
            close();
    });
    connect(cmd[2], &QPushButton::clicked, this,
            [this] { m_main.guard().run("Reload Current Record", [this] { ReloadCurrentRecord(); }); });

    const QStyle::StandardPixmap pictures[] = {QStyle::SP_MediaPause, QStyle::SP_MessageBoxWarning,
                                               QStyle::SP_DialogApplyButton};
    for (int i = 0; i < 3; ++i) {
        Img[i] = new QLabel(this);
        Img[i]->setObjectName(QString("Img_%1").arg(i));
        Img[i]->setFixedSize(36, 36);
        Img[i]->setPixmap(style()->standardIcon(pictures[i]).pixmap(32, 32));
    }

    auto* modes = new QGroupBox(this);
    auto* group = new QButtonGroup(this);
    const char* const modeCaptions[] = {"Break on each record.",
                                        "Break on Next record with Detected Problem."};
    auto* modeLayout = new QVBoxLayout(modes);
    for (int i = 0; i < 2; ++i) {
        opt[i] = new QRadioButton(modeCaptions[i], modes);
        opt[i]->setObjectName(QString("opt_%1").arg(i));
        group->addButton(opt[i], i);
        modeLayout->addWidget(opt[i]);
        connect(opt[i], &QRadioButton::toggled, this, [this] { showStatus(); });
    }
    opt[0]->setChecked(true);

    auto* fields = new QGridLayout;
    for (int i = 0; i < 7; ++i) {
        fields->addWidget(lbl[2 + i], i, 0);
        fields->addWidget(lbl[FirstValue + i], i, 1);
    }
    fields->addWidget(lbl[ExtraText], 7, 1);
    fields->setColumnStretch(1, 1);

    auto* status = new QHBoxLayout;
    status->addWidget(modes, 1);
    for (QLabel* picture : Img)
        status->addWidget(picture);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmd[0]);
    buttons->addWidget(cmd[2]);
    buttons->addStretch();
    buttons->addWidget(cmd[1]);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl[0]);
    layout->addWidget(lbl[1]);
    layout->addSpacing(6);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addWidget(txt);
    layout->addLayout(status);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void frmMenuCheck::clearValues() {
    for (int i = FirstValue; i <= ExtraText; ++i) {
        lbl[i]->clear();
        setBackground(lbl[i], false);
    }
    lbl[ExtraText]->hide();
}

// Img 0 shows the stop mode while walking, Img 1 a line with a problem, Img 2 the end of the walk.
void frmMenuCheck::showStatus() {
    Img[0]->setPixmap(
        style()
            ->standardIcon(opt[1]->isChecked() ? QStyle::SP_MediaSeekForward : QStyle::SP_MediaPause)
            .pixmap(32, 32));
    Img[0]->setVisible(!m_finished);
    Img[1]->setVisible(m_problem && !m_finished);
    Img[2]->setVisible(m_finished);
}

void frmMenuCheck::NextRecord() {
    if (m_finished) return;
    if (!m_walk) m_walk.emplace(m_main.paths().itemsFile(m_main.Profile().ID()));
    txt->setEnabled(true);
    cmd[1]->setEnabled(false);
    // One line per turn, so the walk ends with the file.
    while (m_walk->next()) {
        clearValues();
        m_atEnd = m_walk->atLastLine();
        setLine(m_walk->currentLine());
        cmd[2]->setEnabled(!m_finished);
        if (opt[0]->isChecked() || m_problem || m_atEnd) return;
    }
    if (m_walk->empty()) {
        // Nothing left to read: the file went away or holds no line.
        m_atEnd = true;
        finish();
    }
}

void frmMenuCheck::ReloadCurrentRecord() {
    if (!m_walk || !m_walk->hasCurrent()) return;
    setLine(m_walk->currentLine());
}

void frmMenuCheck::setLine(const QString& line) {
    m_lineText = line;
    m_settingLine = true;
    txt->setText(shownText(line));
    m_settingLine = false;
    // setText() reports nothing when the text is the same as before.
    checkLine();
}

void frmMenuCheck::lineChanged() {
    if (m_settingLine) return;
    m_lineText = storedText(txt->text());
    checkLine();
}

void frmMenuCheck::checkLine() {
    if (!m_walk || !m_walk->hasCurrent() || m_finished) return;
    clearValues();
    cmd[0]->setEnabled(false);
    const LineCheck check = checkItemsLine(m_lineText);
    for (int i = 0; i < check.values.size() && i < 7; ++i)
        lbl[FirstValue + i]->setText(shownText(check.values.at(i)));
    m_problem = !check.ok();
    if (m_problem) {
        if (check.badField >= 1 && check.badField <= 7) {
            setBackground(lbl[FirstValue + check.badField - 1], true);
        } else {
            lbl[ExtraText]->setText(shownText(check.extraText));
            setBackground(lbl[ExtraText], true);
            lbl[ExtraText]->show();
        }
        showStatus();
        return;
    }
    showStatus();
    cmd[0]->setEnabled(true);
    m_walk->accept(m_lineText);
    if (m_atEnd) finish();
}

void frmMenuCheck::finish() {
    m_finished = true;
    if (m_main.prompts().ask(QString(),
                             "Finished. File is now formatted correctly.\n"
                             "Would you like to Save your changes before exiting the form?",
                             Buttons::YesNo) == Button::Yes)
        m_main.guard().run("Menu Check", [this] { writeRepairedFile(); });
    txt->setEnabled(false);
    cmd[0]->setEnabled(false);
    cmd[2]->setEnabled(false);
    cmd[1]->setEnabled(true);
    showStatus();
}

void frmMenuCheck::writeRepairedFile() {
    if (m_walk) m_walk->save();
    m_saved = true;
}

void frmMenuCheck::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        event->accept();
        return;
    }
    // A save that fails has been shown; the window stays open so that the corrections are not lost unasked.
    const bool ok = m_main.guard().run("Menu Check", [this] {
        if (!m_saved &&
            m_main.prompts().ask(QString(), "Do you want to save?", Buttons::YesNo) == Button::Yes)
            writeRepairedFile();
    });
    if (!ok) {
        event->ignore();
        return;
    }
    m_closed = true;
    event->accept();
    // An editor that is closing too (the program is ending) has nothing to show.
    if (!m_editor || m_editor->closed()) return;
    // Enabled first: a file that still fails to load opens a new check, which disables it again.
    m_editor->setWindowEnabled(true);
    if (m_saved) m_main.guard().run("Load Items File", [this] { m_editor->LoadItemsFile(); });
}

} // namespace zr
