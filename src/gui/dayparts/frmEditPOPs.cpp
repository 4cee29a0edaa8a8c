#include "dayparts/frmEditPOPs.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/EditorSupport.h"
#include "app/Prompts.h"
#include "app/frmMain.h"
#include "dayparts/DayPartTree.h"
#include "draw/ScreenDrawing.h"
#include "model/FileManager.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zr {

namespace {

const QString Source = "Edit POP Settings";
const QString TickSource = "View POPs as SlideShow";
constexpr int MaxPOPs = 5;
constexpr double MaxTickMs = 65535;
constexpr QSize PreviewSize(320, 240);

} // namespace

frmEditPOPs::frmEditPOPs(frmMain& main) : m_main(main), m_folder(main.paths().popImages()) {
    setObjectName("frmEditPOPs");
    setWindowTitle("Edit POP Settings");

    // The working copy: the profile's slideshows, entry by entry.
    for (const QString& key : ScheduleKeys) {
        m_work.append(TimeOfWeek(key));
        const TimeOfWeek* week = m_main.Profile().Week(key);
        for (TimeOfDay& day : m_work.last().Days)
            if (const TimeOfDay* profileDay = week ? week->Day(day.ID) : nullptr) day.POPs = profileDay->POPs;
    }

    POPTree = new QTreeWidget(this);
    POPTree->setObjectName("POPTree");
    POPTree->setHeaderHidden(true);
    POPTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (const TimeOfWeek& week : m_work) {
        const QString shown = keyOfName(week.ID, ScheduleKeys, ScheduleNames);
        auto* node = new QTreeWidgetItem(POPTree, {shown});
        node->setData(0, Qt::UserRole, week.ID);
        for (const TimeOfDay& day : week.Days) {
            const QString part = keyOfName(day.ID, DayPartKeys, DayPartNames);
            auto* child = new QTreeWidgetItem(node, {part});
            child->setData(0, Qt::UserRole, shown + "." + part);
        }
    }
    POPTree->expandAll();

    POPList = new QTreeWidget(this);
    POPList->setObjectName("POPList");
    POPList->setHeaderLabels({"Image", "Duration"});
    POPList->setRootIsDecorated(false);
    POPList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    POPList->header()->setStretchLastSection(false);

    ImageList = new QListWidget(this);
    ImageList->setObjectName("ImageList");
    ImageList->addItems(pictureNames(m_folder, keepWindowsDrawn));

    DurationList = new QListWidget(this);
    DurationList->setObjectName("DurationList");
    for (int s = 1; s <= 10; ++s)
        DurationList->addItem(QString::number(s));
    DurationList->setMaximumWidth(60);

    Img = new QLabel(this);
    Img->setObjectName("Img");
    Img->setFixedSize(PreviewSize);
    Img->setAlignment(Qt::AlignCenter);
    Img->setPixmap(QPixmap::fromImage(placeholderPicture(PreviewSize, "POP Preview")));

    Tmr = new QTimer(this);
    Tmr->setObjectName("Tmr");
    Tmr->setInterval(1000);

    auto* modes = new QButtonGroup(this);
    opt[0] = new QRadioButton("View Selected Image", this);
    opt[1] = new QRadioButton("View POPs in a Slideshow", this);
    for (int i = 0; i < 2; ++i) {
        opt[i]->setObjectName(QString("opt_%1").arg(i));
        modes->addButton(opt[i], i);
    }
    opt[0]->setChecked(true);

    const std::pair<int, const char*> buttons[] = {
        {1, "&Apply"}, {2, "E&xit"}, {3, "&Cancel"}, {4, "&Insert Image"}, {5, "&Remove Image"}};
    for (const auto& [index, caption] : buttons) {
        cmd[index] = new QPushButton(caption, this);
        cmd[index]->setObjectName(QString("cmd_%1").arg(index));
    }

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Day Parts", this));
    left->addWidget(POPTree, 1);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(cmd[4]);
    listButtons->addWidget(cmd[5]);
    auto* middle = new QVBoxLayout;
    middle->addWidget(new QLabel("POP SlideShow", this));
    middle->addWidget(POPList, 1);
    middle->addLayout(listButtons);
    auto* pickers = new QHBoxLayout;
    pickers->addWidget(ImageList, 1);
    pickers->addWidget(DurationList);
    middle->addWidget(new QLabel("Edit SlideShow", this));
    middle->addLayout(pickers, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(Img);
    right->addWidget(opt[0]);
    right->addWidget(opt[1]);
    right->addStretch();
    auto* actions = new QHBoxLayout;
    actions->addStretch();
    for (int i : {1, 2, 3})
        actions->addWidget(cmd[i]);
    right->addLayout(actions);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addLayout(middle, 3);
    layout->addLayout(right);
    resize(sizeHint());

    setEditing(false);
    opt[0]->setEnabled(false);
    opt[1]->setEnabled(false);
    POPList->setEnabled(false);

    const ErrorGuard& guard = m_main.guard();
    auto handle = [this, &guard](void (frmEditPOPs::*handler)()) {
        return [this, &guard, handler] { guard.run(Source, [this, handler] { (this->*handler)(); }); };
    };
    connect(POPTree, &QTreeWidget::currentItemChanged, this,
            [this, &guard](QTreeWidgetItem* node) { guard.run(Source, [&] { showNode(node); }); });
    connect(POPList, &QTreeWidget::itemClicked, this, handle(&frmEditPOPs::showRow));
    connect(ImageList, &QListWidget::itemClicked, this, handle(&frmEditPOPs::chooseImage));
    connect(DurationList, &QListWidget::itemClicked, this, handle(&frmEditPOPs::chooseDuration));
    connect(opt[1], &QRadioButton::toggled, this,
            [this, &guard](bool on) { guard.run(Source, [&] { slideShowChosen(on); }); });
    connect(cmd[1], &QPushButton::clicked, this, handle(&frmEditPOPs::Apply));
    connect(cmd[2], &QPushButton::clicked, this, handle(&frmEditPOPs::exitAsking));
    connect(cmd[3], &QPushButton::clicked, this, [this] { closeWindow(); });
    connect(cmd[4], &QPushButton::clicked, this, handle(&frmEditPOPs::InsertImage));
    connect(cmd[5], &QPushButton::clicked, this, handle(&frmEditPOPs::RemoveImage));
    connect(Tmr, &QTimer::timeout, this, [this, &guard] {
        // The timer rests during the tick, so that a failure is shown once and
        // the preview then stays still.
        Tmr->stop();
        if (guard.run(TickSource, [this] { SlideShowTick(); }))
            Tmr->start();
        else
            opt[0]->setChecked(true);
    });

    copier = new DragCopyTree(
        POPTree, guard, m_main.prompts(), Source,
        {"Cannot copy from a week part to a day part.", "Cannot copy from a daypart to a week part.",
         "Are you sure you want to overwrite the current settings of ",
         "Are you sure you want to apply these settings to "},
        [this](QTreeWidgetItem* source, QTreeWidgetItem* target) { copyDayPart(source, target); });
    copier->afterDrop = [this](QTreeWidgetItem* target) {
        POPTree->setCurrentItem(target);
        showNode(target);
    };
}

frmEditPOPs::~frmEditPOPs() {
    Tmr->stop();
}

void frmEditPOPs::closeEvent(QCloseEvent* event) {
    Tmr->stop();
    QWidget::closeEvent(event);
}

TimeOfDay* frmEditPOPs::workingDay(const QTreeWidgetItem* node) {
    if (!node || !node->parent()) return nullptr;
    const qsizetype s = ScheduleNames.indexOf(node->parent()->text(0));
    const QString part = keyOfName(node->text(0), DayPartNames, DayPartKeys);
    return s < 0 ? nullptr : m_work[s].Day(part);
}

TimeOfDay* frmEditPOPs::selectedDay() {
    return workingDay(POPTree->currentItem());
}

void frmEditPOPs::setEditing(bool dayPart) {
    for (QWidget* w : {static_cast<QWidget*>(ImageList), static_cast<QWidget*>(DurationList),
                       static_cast<QWidget*>(cmd[4]), static_cast<QWidget*>(cmd[5])})
        w->setEnabled(dayPart);
}

void frmEditPOPs::showNode(QTreeWidgetItem* node) {
    POPList->clear();
    const bool dayPart = workingDay(node) != nullptr;
    setEditing(dayPart);
    POPList->setEnabled(dayPart);
    opt[0]->setEnabled(dayPart);
    opt[1]->setEnabled(dayPart);
    if (!dayPart) return;
    fillList(0);
    ImageList->clearSelection();
    DurationList->clearSelection();
    if (opt[0]->isChecked() && POPList->currentItem()) showImage(POPList->currentItem()->text(0));
}

void frmEditPOPs::fillList(int selectRow) {
    POPList->clear();
    const TimeOfDay* day = selectedDay();
    if (!day) return;
    for (const PopEntry& pop : day->POPs)
        new QTreeWidgetItem(POPList, {pop.Picture, pop.Time});
    if (QTreeWidgetItem* row = POPList->topLevelItem(qMin(selectRow, POPList->topLevelItemCount() - 1)))
        POPList->setCurrentItem(row);
}

void frmEditPOPs::showRow() {
    ImageList->setEnabled(true);
    DurationList->setEnabled(true);
    ImageList->clearSelection();
    DurationList->clearSelection();
    if (POPList->currentItem()) showImage(POPList->currentItem()->text(0));
}

bool frmEditPOPs::showImage(const QString& name) {
    const QImage picture = loadPicture(AppPaths::resolveIn(m_folder, name));
    if (picture.isNull()) return false;
    Img->setPixmap(QPixmap::fromImage(picture.scaled(PreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_shownImage = name;
    return true;
}

void frmEditPOPs::chooseImage() {
    QTreeWidgetItem* row = POPList->currentItem();
    TimeOfDay* day = selectedDay();
    if (!ImageList->currentItem() || !ImageList->currentItem()->isSelected() || !row || !day) return;
    const QString name = ImageList->currentItem()->text();
    if (refusePictureName(m_main, name)) {
        ImageList->clearSelection();
        return;
    }
    row->setText(0, name);
    showImage(name);
    day->POPs[POPList->indexOfTopLevelItem(row)].Picture = name;
}

void frmEditPOPs::chooseDuration() {
    QTreeWidgetItem* row = POPList->currentItem();
    TimeOfDay* day = selectedDay();
    if (!DurationList->currentItem() || !DurationList->currentItem()->isSelected() || !row || !day) return;
    row->setText(1, DurationList->currentItem()->text());
    day->POPs[POPList->indexOfTopLevelItem(row)].Time = row->text(1);
}

void frmEditPOPs::InsertImage() {
    TimeOfDay* day = selectedDay();
    if (!day) return;
    if (POPList->topLevelItemCount() >= MaxPOPs) {
        m_main.prompts().inform(QString(), "Cannot have more than 5 POPs per Daypart.");
        return;
    }
    // Below the selected row; into an empty list as its first row.
    const int at = POPList->currentItem() ? POPList->indexOfTopLevelItem(POPList->currentItem()) + 1 : 0;
    day->POPs.insert(at, PopEntry{m_main.Profile().DefaultPOP(), "2"});
    fillList(POPList->topLevelItemCount() == 0 ? 0 : at - 1);
}

void frmEditPOPs::RemoveImage() {
    TimeOfDay* day = selectedDay();
    QTreeWidgetItem* row = POPList->currentItem();
    if (!day || !row) return;
    if (POPList->topLevelItemCount() == 1) {
        m_main.prompts().inform("Attention:", "You must have at least 1 POP per Daypart!");
        return;
    }
    const int at = POPList->indexOfTopLevelItem(row);
    day->POPs.removeAt(at);
    fillList(at);
}

void frmEditPOPs::slideShowChosen(bool on) {
    if (on) {
        Tmr->start();
        return;
    }
    Tmr->stop();
    if (POPList->currentItem()) showImage(POPList->currentItem()->text(0));
}

void frmEditPOPs::SlideShowTick() {
    ++m_position;
    if (m_position > POPList->topLevelItemCount()) {
        if (m_position <= 1) {
            Tmr->setInterval(1000); // an empty list shows nothing
            return;
        }
        m_position = 1; // the slideshow starts over
    }
    const QTreeWidgetItem* row = POPList->topLevelItem(m_position - 1);
    if (!row) {
        Tmr->setInterval(1000);
        return;
    }
    if (!showImage(row->text(0)))
        throw AppError(TickSource, 53, "The image " + row->text(0) + " cannot be shown.");
    // The timer takes 1 ms to a little over a minute; a hand-edited time
    // outside that stops the preview instead of racing or overflowing.
    bool number = false;
    const double seconds = row->text(1).toDouble(&number);
    if (!number || seconds * 1000 < 1 || seconds * 1000 > MaxTickMs)
        throw AppError(TickSource, 380,
                       "The display time of " + row->text(0) + " cannot be shown: " + row->text(1));
    Tmr->setInterval(qRound(seconds * 1000));
}

void frmEditPOPs::copyDayPart(QTreeWidgetItem* source, QTreeWidgetItem* target) {
    const TimeOfDay* from = workingDay(source);
    TimeOfDay* to = workingDay(target);
    if (from && to && from != to) to->POPs = from->POPs;
}

bool frmEditPOPs::Changed() const {
    for (const TimeOfWeek& work : m_work) {
        const TimeOfWeek* week = m_main.Profile().Week(work.ID);
        for (const TimeOfDay& day : work.Days) {
            const TimeOfDay* profileDay = week ? week->Day(day.ID) : nullptr;
            if (profileDay && profileDay->POPs != day.POPs) return true;
        }
    }
    return false;
}

void frmEditPOPs::Apply() {
    if (!Changed()) return;
    for (const TimeOfWeek& work : m_work) {
        TimeOfWeek* week = m_main.Profile().Week(work.ID);
        for (const TimeOfDay& day : work.Days)
            if (TimeOfDay* profileDay = week ? week->Day(day.ID) : nullptr) profileDay->POPs = day.POPs;
    }
    m_main.Profile().SaveProfile();
}

void frmEditPOPs::exitAsking() {
    exitEditor(this, m_main.prompts(), "Do you wish to save your changes?", Changed(), [this] { Apply(); });
}

void frmEditPOPs::closeWindow() {
    Tmr->stop();
    closeEditor(this);
}

} // namespace zr
