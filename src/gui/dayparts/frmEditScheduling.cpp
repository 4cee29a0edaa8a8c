#include "dayparts/frmEditScheduling.h"

#include "app/Prompts.h"
#include "app/frmMain.h"
#include "dayparts/DayPartTree.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValidator>

namespace zr {

namespace {

const QString TimeFormat = "hh:mm AP";
const QString Source = "Edit DayPart Scheduling";

/// Accepts "hh:mm AM" and "hh:mm PM" with an hour from 01 to 12. Anything
/// else is only unfinished, so that the mask lets every digit be typed and
/// the check is left to the moment the field is left.
class TimeValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& text, int&) const override {
        static const QRegularExpression time("^(0[1-9]|1[0-2]):[0-5][0-9] (AM|PM)$");
        return time.match(text).hasMatch() ? Acceptable : Intermediate;
    }
};

} // namespace

frmEditScheduling::frmEditScheduling(frmMain& main) : m_main(main) {
    setObjectName("frmEditScheduling");
    setWindowTitle("Edit DayPart Scheduling");

    TimeTree = new QTreeWidget(this);
    TimeTree->setObjectName("TimeTree");
    TimeTree->setHeaderHidden(true);
    for (int s = 0; s < ScheduleNames.size(); ++s) {
        const QString schedule = ScheduleNames[s];
        auto* node = new QTreeWidgetItem(TimeTree, {schedule});
        node->setData(0, Qt::UserRole, schedule);
        m_work.append(TimeOfWeek(schedule));
        const TimeOfWeek* week = m_main.Profile().Week(ScheduleKeys[s]);
        for (int d = 0; d < DayPartNames.size(); ++d) {
            auto* child = new QTreeWidgetItem(node, {DayPartNames[d]});
            child->setData(0, Qt::UserRole, schedule + DayPartNames[d]);
            const TimeOfDay* day = week ? week->Day(DayPartKeys[d]) : nullptr;
            if (day) m_work.last().Days[d].StartTime = day->StartTime;
        }
    }
    TimeTree->expandAll();

    txtTime = new QLineEdit(this);
    txtTime->setObjectName("txtTime");
    txtTime->setInputMask("99:99 >AA;_");
    txtTime->setValidator(new TimeValidator(txtTime));
    txtTime->installEventFilter(this);
    Scroll = new QScrollBar(Qt::Vertical, this);
    Scroll->setObjectName("Scroll");
    Scroll->setRange(0, 1);
    Scroll->setPageStep(1);
    Scroll->setFixedHeight(txtTime->sizeHint().height() * 2);
    lbl[0] = new QLabel("AM", this);
    lbl[1] = new QLabel("PM", this);
    for (int i = 0; i < 3; ++i) {
        cmd[i] = new QPushButton(QStringList{"&Apply", "E&xit", "&Cancel"}[i], this);
        cmd[i]->setObjectName(QString("cmd_%1").arg(i));
    }
    for (int i = 0; i < 2; ++i)
        lbl[i]->setObjectName(QString("lbl_%1").arg(i));

    auto* ampm = new QVBoxLayout;
    ampm->addWidget(lbl[0]);
    ampm->addWidget(lbl[1]);
    auto* field = new QHBoxLayout;
    field->addWidget(txtTime);
    field->addWidget(Scroll);
    field->addLayout(ampm);
    field->addStretch();
    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel("Start Time", this));
    side->addLayout(field);
    side->addStretch();
    for (QPushButton* b : cmd)
        side->addWidget(b);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(TimeTree, 1);
    layout->addLayout(side);
    resize(sizeHint());
    showNode(nullptr);

    const ErrorGuard& guard = m_main.guard();
    connect(TimeTree, &QTreeWidget::currentItemChanged, this,
            [this, &guard](QTreeWidgetItem* node) { guard.run(Source, [&] { showNode(node); }); });
    connect(Scroll, &QScrollBar::valueChanged, this,
            [this, &guard](int position) { guard.run(Source, [&] { scrolled(position); }); });
    connect(cmd[0], &QPushButton::clicked, this, [this, &guard] {
        guard.run(Source, [this] {
            if (StorePendingTime() && Changed()) Apply();
        });
    });
    connect(cmd[1], &QPushButton::clicked, this,
            [this, &guard] { guard.run(Source, [this] { exitAsking(); }); });
    connect(cmd[2], &QPushButton::clicked, this, [this] { closeEditor(this); });

    copier = new DragCopyTree(TimeTree, guard, m_main.prompts(), Source,
                              {"Cannot copy a week part to a daypart", "Cannot copy a daypart to a week part",
                               "Are you sure you want to overwrite the current settings of ",
                               "Are you sure you want to overwrite the current settings of "},
                              [this](QTreeWidgetItem* source, QTreeWidgetItem* target) {
                                  TimeOfDay* from = workingDay(source);
                                  TimeOfDay* to = workingDay(target);
                                  if (from && to) to->StartTime = from->StartTime;
                              });
}

TimeOfDay* frmEditScheduling::workingDay(const QTreeWidgetItem* node) {
    if (!node || !node->parent()) return nullptr;
    const qsizetype s = ScheduleNames.indexOf(node->parent()->text(0));
    const qsizetype d = DayPartNames.indexOf(node->text(0));
    if (s < 0 || d < 0) return nullptr;
    return &m_work[s].Days[d];
}

void frmEditScheduling::showNode(QTreeWidgetItem* node) {
    const TimeOfDay* day = workingDay(node);
    for (QWidget* w : {static_cast<QWidget*>(txtTime), static_cast<QWidget*>(Scroll),
                       static_cast<QWidget*>(lbl[0]), static_cast<QWidget*>(lbl[1])})
        w->setVisible(day != nullptr);
    m_shown = day ? node : nullptr;
    m_refused.clear();
    if (!day) return;
    txtTime->setText(day->StartTime.toString(TimeFormat));
    const QSignalBlocker quiet(Scroll);
    Scroll->setValue(txtTime->text().mid(6, 2) == "AM" ? 0 : 1);
}

void frmEditScheduling::scrolled(int position) {
    txtTime->setText(txtTime->displayText().left(6) + (position == 0 ? "AM" : "PM"));
}

bool frmEditScheduling::ValidateTime() {
    TimeOfDay* day = workingDay(m_shown);
    if (!day) return true; // no day part in the field: nothing to store
    const QTime time = QTime::fromString(txtTime->text(), TimeFormat);
    if (!txtTime->hasAcceptableInput() || !time.isValid()) {
        m_main.prompts().inform(QString(),
                                "You must enter a time of the format \"hh:mm ?M\"\r\n"
                                "where \"hh\" is a two-digit hour (ex. 09 or 12) and \"mm\" \r\n"
                                "is a two-digit minute and \"?\" is \"A\" or \"P\" for \"AM\" or \"PM\".");
        m_refused = txtTime->text();
        return false;
    }
    m_refused.clear();
    day->StartTime = time;
    const QSignalBlocker quiet(Scroll);
    Scroll->setValue(txtTime->text().mid(6, 2) == "AM" ? 0 : 1);
    return true;
}

bool frmEditScheduling::StorePendingTime() {
    const TimeOfDay* day = workingDay(m_shown);
    if (!day || txtTime->text() == day->StartTime.toString(TimeFormat)) return true;
    // A text refused as the focus left the field is not refused twice.
    return txtTime->text() != m_refused && ValidateTime();
}

bool frmEditScheduling::eventFilter(QObject* watched, QEvent* event) {
    // Checked when the user moves on inside the window, not when a message box
    // or another program takes the focus.
    const auto reason =
        event->type() == QEvent::FocusOut ? static_cast<QFocusEvent*>(event)->reason() : Qt::OtherFocusReason;
    if (watched == txtTime && event->type() == QEvent::FocusOut && txtTime->isVisible() &&
        reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        bool valid = true;
        m_main.guard().run(Source, [&] { valid = ValidateTime(); });
        // The field keeps the focus until it holds a time.
        if (!valid) QTimer::singleShot(0, txtTime, [field = txtTime] { field->setFocus(); });
    }
    return QWidget::eventFilter(watched, event);
}

bool frmEditScheduling::Changed() const {
    for (int s = 0; s < m_work.size(); ++s) {
        const TimeOfWeek* week = m_main.Profile().Week(ScheduleKeys[s]);
        for (int d = 0; d < m_work[s].Days.size(); ++d) {
            const TimeOfDay* day = week ? week->Day(DayPartKeys[d]) : nullptr;
            if (day && day->StartTime != m_work[s].Days[d].StartTime) return true;
        }
    }
    return false;
}

void frmEditScheduling::Apply() {
    for (int s = 0; s < m_work.size(); ++s) {
        TimeOfWeek* week = m_main.Profile().Week(ScheduleKeys[s]);
        for (int d = 0; d < m_work[s].Days.size(); ++d)
            if (TimeOfDay* day = week ? week->Day(DayPartKeys[d]) : nullptr)
                day->StartTime = m_work[s].Days[d].StartTime;
    }
    m_main.Profile().SaveProfile();
}

void frmEditScheduling::exitAsking() {
    if (!StorePendingTime()) return;
    exitEditor(this, m_main.prompts(), "Do you want to save your changes?", Changed(), [this] { Apply(); });
}

} // namespace zr
