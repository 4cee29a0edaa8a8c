#include "preview/frmBoardPreview.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/WindowsText.h"
#include "app/frmMain.h"
#include "app/Dialogs.h"
#include "app/TextWidth.h"
#include "menu/ItemsFile.h"
#include "model/FileManager.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace zr {

namespace {

const char* const Source = "Board Preview";
const QStringList WeekdayNames{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

// The board is shown at three quarters of its own size.
QSize shownSize(bool landscape) {
    return boardSize(landscape) * 3 / 4;
}

} // namespace

WeekStrip::WeekStrip(QWidget* parent) : QWidget(parent) {
    setObjectName("WeekStrip");
    setMinimumSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setToolTip("Click an hour of a day to see the board then.");
}

void WeekStrip::setStarts(const ScheduleStarts& starts) {
    m_starts = starts;
    update();
}

void WeekStrip::setMoment(const Moment& moment) {
    m_moment = moment;
    update();
}

QColor WeekStrip::partColor(int part) {
    static const QColor colors[] = {QColor(240, 190, 60), QColor(110, 180, 90), QColor(80, 120, 200),
                                    QColor(150, 150, 150)};
    return colors[part];
}

QRectF WeekStrip::cells() const {
    return QRectF(LabelWidth, 1, width() - LabelWidth - 1, height() - 2);
}

Moment WeekStrip::momentAt(const QPoint& point) const {
    const QRectF c = cells();
    const int row = qBound(0, int((point.y() - c.top()) * 7 / c.height()), 6);
    const int minute = qBound(0, int((point.x() - c.left()) * 1440 / c.width()), 1439);
    return Moment{row + 1, QTime(minute / 60, minute % 60), false};
}

QPointF WeekStrip::pointOf(const Moment& moment) const {
    const QRectF c = cells();
    return {c.left() + c.width() * QTime(0, 0).secsTo(moment.time) / 86400.0,
            c.top() + c.height() * (moment.weekday - 0.5) / 7};
}

void WeekStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF c = cells();
    const double rowHeight = c.height() / 7, slice = c.width() / 96;
    p.setFont(font());
    for (int day = 0; day < 7; ++day) {
        const double y = c.top() + rowHeight * day;
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRectF(0, y, LabelWidth - 4, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                   WeekdayNames[day].left(3));
        // Quarter hours, each in the colour of the day part in force at its start.
        for (int q = 0; q < 96; ++q) {
            const int part = dayPartInForce(m_starts, day + 1, QTime(q / 4, q % 4 * 15)).part;
            p.fillRect(QRectF(c.left() + slice * q, y, slice + 0.5, rowHeight), partColor(part));
        }
    }
    p.setPen(QColor(255, 255, 255, 140));
    for (int hour = 1; hour < 24; ++hour)
        p.drawLine(QPointF(c.left() + slice * 4 * hour, c.top()), QPointF(c.left() + slice * 4 * hour, c.bottom()));
    // The moment shown: a black mark across its row.
    const QPointF at = pointOf(m_moment);
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(at - QPointF(0, rowHeight / 2), at + QPointF(0, rowHeight / 2));
}

void WeekStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit momentPicked(momentAt(event->position().toPoint()));
}

frmBoardPreview::frmBoardPreview(frmMain& main) : m_main(main) {
    setObjectName("frmBoardPreview");
    setWindowTitle("Board Preview");
    const AppPaths& paths = main.paths();
    m_pictures = std::make_unique<BoardPictures>(paths.popImages(), paths.itemImages());

    Day = new QComboBox(this);
    Day->setObjectName("Day");
    Day->addItems(WeekdayNames);
    TimeOfDay = new QTimeEdit(this);
    TimeOfDay->setObjectName("TimeOfDay");
    TimeOfDay->setDisplayFormat("HH:mm:ss");
    auto* dayLabel = new QLabel("&Day", this);
    dayLabel->setBuddy(Day);
    auto* timeLabel = new QLabel("&Time", this);
    timeLabel->setBuddy(TimeOfDay);
    Strip = new WeekStrip(this);
    DayPartInfo = new QLabel(this);
    DayPartInfo->setObjectName("DayPartInfo");
    DayPartInfo->setWordWrap(true);
    // The colours are named too, so the strip does not rely on colour alone.
    QString key;
    for (int part = 0; part < 4; ++part)
        key += QString("<span style='background:%1'>&nbsp;&nbsp;&nbsp;</span> %2&nbsp;&nbsp; ")
                   .arg(WeekStrip::partColor(part).name(), DayPartNames[part]);
    auto* stripKey = new QLabel(key, this);

    const char* const states[] = {"&Idle", "&Order", "T&otal screen"};
    auto* group = new QButtonGroup(this);
    auto* stateRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        opt[i] = new QRadioButton(states[i], this);
        opt[i]->setObjectName(QString("opt_%1").arg(i));
        group->addButton(opt[i], i);
        stateRow->addWidget(opt[i]);
        connect(opt[i], &QRadioButton::clicked, this, [this, i] {
            m_main.guard().run(Source, [this, i] { setState(static_cast<BoardState>(i)); });
        });
    }
    opt[0]->setChecked(true); // it opens on the idle screen
    stateRow->addStretch();
    const char* const buttons[] = {"&Play", "&Step", "&Check now", "E&xit"};
    for (int i = 0; i < 4; ++i) {
        cmd[i] = new QPushButton(buttons[i], this);
        cmd[i]->setObjectName(QString("cmd_%1").arg(i));
    }
    cmd[2]->setToolTip("Checks the saved profile as an update would, and lists what it finds.");
    Position = new QLabel(this);
    Position->setObjectName("Position");
    ItemList = new QListWidget(this);
    ItemList->setObjectName("ItemList");
    ItemList->setToolTip("Tick the items of the order. Only items shown on the board are listed.");
    auto* itemsLabel = new QLabel("Order &items", this);
    itemsLabel->setBuddy(ItemList);
    Board = new QLabel(this);
    Board->setObjectName("Board");
    Board->setAlignment(Qt::AlignCenter);
    Board->setMinimumSize(shownSize(true).expandedTo(shownSize(false)));
    Legend = new QLabel(ApproximationNote, this);
    Legend->setObjectName("Legend");
    Legend->setWordWrap(true);
    Problems = new QLabel(this);
    Problems->setObjectName("Problems");
    Problems->setWordWrap(true);
    Problems->setStyleSheet("color: #b01010");
    Ticker = new QTimer(this);
    Ticker->setObjectName("Ticker");
    Ticker->setInterval(1000);

    auto* when = new QHBoxLayout;
    when->addWidget(dayLabel);
    when->addWidget(Day);
    when->addWidget(timeLabel);
    when->addWidget(TimeOfDay);
    when->addStretch();
    auto* slideRow = new QHBoxLayout;
    slideRow->addWidget(cmd[0]);
    slideRow->addWidget(cmd[1]);
    slideRow->addWidget(Position, 1);
    auto* side = new QVBoxLayout;
    side->addLayout(when);
    side->addWidget(Strip);
    side->addWidget(stripKey);
    side->addWidget(DayPartInfo);
    side->addLayout(stateRow);
    side->addLayout(slideRow);
    side->addWidget(itemsLabel);
    side->addWidget(ItemList, 1);
    side->addWidget(Problems);
    side->addWidget(Legend);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cmd[2]);
    bottom->addWidget(cmd[3]);
    side->addLayout(bottom);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side, 1);
    layout->addWidget(Board, 0, Qt::AlignTop);

    // The menu: only what the board shows, ticked as the default order.
    Profiles& profile = main.Profile();
    const ItemsLoadResult items =
        loadItemsFile(paths.itemsFile(profile.ID()), pictureCatalogue(paths.itemImages()),
                      pictureCatalogue(paths.popImages()), profile.DefaultItem(), true);
    m_shown = shownItems(items.rows);
    const QList<MenuItem> order = defaultOrder(m_shown);
    for (const MenuItem& item : m_shown) {
        auto* row = new QListWidgetItem(
            shownText(item.ShortDescriptor) + "  (" + shownText(item.LongDescriptor) + ", " + item.Family + ")",
            ItemList);
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        row->setCheckState(Qt::Unchecked);
    }
    for (int i = 0; i < m_shown.size(); ++i)
        if (!order.isEmpty() && m_shown[i] == order[0]) {
            ItemList->item(i)->setCheckState(Qt::Checked);
            break;
        }

    connect(Day, &QComboBox::activated, this, [this](int day) {
        m_main.guard().run(Source, [&] { setMoment({day + 1, TimeOfDay->time(), true}); });
    });
    connect(TimeOfDay, &QTimeEdit::timeChanged, this, [this](const QTime& time) {
        if (!m_updating) m_main.guard().run(Source, [&] { setMoment({Day->currentIndex() + 1, time, true}); });
    });
    connect(Strip, &WeekStrip::momentPicked, this,
            [this](const Moment& moment) { m_main.guard().run(Source, [&] { setMoment(moment); }); });
    connect(ItemList, &QListWidget::itemChanged, this, [this] {
        if (!m_updating) m_main.guard().run(Source, [this] { setState(BoardState::Order); });
    });
    connect(cmd[0], &QPushButton::clicked, this,
            [this] { m_main.guard().run(Source, [this] { play(!Ticker->isActive()); }); });
    connect(cmd[1], &QPushButton::clicked, this, [this] { m_main.guard().run(Source, [this] { step(); }); });
    connect(cmd[2], &QPushButton::clicked, this, [this] {
        m_main.guard().run(Source, [this] {
            runCheck();
            redraw();
            m_main.dialogs().showFindings(this, m_check);
        });
    });
    connect(cmd[3], &QPushButton::clicked, this, [this] { parentWidget() ? parentWidget()->close() : close(); });
    connect(Ticker, &QTimer::timeout, this, [this] { m_main.guard().run(Source, [this] { tick(); }); });

    runCheck();
    // It opens at the PC's moment of the week.
    const QDateTime now = main.clock().now();
    setMoment({now.date().dayOfWeek(), now.time(), true});
}

frmBoardPreview::~frmBoardPreview() = default;

QList<MenuItem> frmBoardPreview::pickedItems() const {
    QList<MenuItem> picked;
    for (int i = 0; i < ItemList->count(); ++i)
        if (ItemList->item(i)->checkState() == Qt::Checked) picked.append(m_shown[i]);
    return picked;
}

void frmBoardPreview::setMoment(const Moment& moment) {
    m_updating = true;
    Day->setCurrentIndex(moment.weekday - 1);
    TimeOfDay->setTime(moment.time);
    m_updating = false;
    m_board.moment = moment;
    compute();
    m_idle = m_board.elapsed;
    Strip->setStarts(scheduleStarts(m_main.Profile()));
    Strip->setMoment(moment);
    DayPartInfo->setText(QString("%1 is in force, by the %2 schedule, since %3 %4.")
                             .arg(DayPartNames[m_board.dayPart.part], ScheduleNames[m_board.schedule],
                                  WeekdayNames[m_board.dayPart.startWeekday - 1],
                                  m_board.dayPart.start.toString("HH:mm:ss")));
    redraw();
}

void frmBoardPreview::setState(BoardState state) {
    m_state = state;
    opt[static_cast<int>(state)]->setChecked(true);
    compute();
    if (state == BoardState::Total) m_totalLeft = m_board.totalSeconds;
    if (state == BoardState::Total && !m_board.totalScreen) {
        // Without a total screen the board goes back to idle at once.
        m_state = BoardState::Idle;
        opt[0]->setChecked(true);
        m_idle = 0;
    }
    redraw();
}

void frmBoardPreview::play(bool on) {
    if (on)
        Ticker->start();
    else
        Ticker->stop();
    cmd[0]->setText(on ? "&Pause" : "&Play");
}

void frmBoardPreview::step() {
    if (m_idle < m_board.messageSeconds) {
        m_idle = m_board.messageSeconds;
    } else if (const std::optional<SlideAt> slide = m_board.idleSlide(m_idle)) {
        // A picture that stays is left for the first one.
        m_idle += slide->seconds > 0 ? slide->seconds - slide->second : -(m_idle - m_board.messageSeconds);
    }
    setState(BoardState::Idle);
}

void frmBoardPreview::tick() {
    if (m_state == BoardState::Total) {
        if (--m_totalLeft <= 0) {
            m_idle = 0;
            setState(BoardState::Idle);
        } else {
            redraw();
        }
        return;
    }
    ++m_idle;
    if (m_state == BoardState::Idle) redraw();
}

void frmBoardPreview::compute() {
    const Moment moment = m_board.moment;
    m_board = previewAt(m_main.Profile(), moment, pickedItems());
}

void frmBoardPreview::redraw() {
    m_frame = drawBoard(m_board, m_state, m_idle, shownSize(m_board.landscape), *m_pictures);
    Board->setPixmap(QPixmap::fromImage(m_frame));

    QString position;
    if (m_state == BoardState::Total && m_board.totalSeconds == 0) {
        // Drawn all the same, so that it can be seen; the board shows it for no time at all.
        position = "Total screen: 0 s, the board goes straight back to idle";
    } else if (m_state == BoardState::Total) {
        position = QString("Total screen: %1 of %2 s, then idle").arg(m_board.totalSeconds - m_totalLeft + 1).arg(m_board.totalSeconds);
    } else if (m_idle < m_board.messageSeconds) {
        position = QString("Pre-sell message: second %1 of %2").arg(m_idle + 1).arg(m_board.messageSeconds);
    } else if (const std::optional<SlideAt> slide = m_board.idleSlide(m_idle)) {
        position = QString("POP %1 of %2: %3, second %4 of %5")
                       .arg(slide->index + 1)
                       .arg(m_board.pops.size())
                       .arg(m_board.pops[slide->index].Picture)
                       .arg(slide->second + 1)
                       .arg(slide->seconds > 0 ? QString::number(slide->seconds) : QString("(stays)"));
    } else {
        position = "This day part has no POP.";
    }
    if (m_state == BoardState::Order) position = "Order screen; idle: " + position;
    Position->setText(position);

    QStringList problems;
    for (const PopEntry& pop : m_board.pops)
        if (const QString problem = m_pictures->pop(pop.Picture).problem; !problem.isEmpty())
            problems << "POP " + pop.Picture + ": " + problem;
    // The suggestion is drawn on the order screen only.
    if (m_state == BoardState::Order && m_board.order.suggestion)
        if (const QString problem = m_pictures->suggestion(m_board.order.suggestion->Picture).problem;
            !problem.isEmpty())
            problems << "Suggestion " + m_board.order.suggestion->Picture + ": " + problem;
    problems.removeDuplicates();
    // Each placeholder with what the check says to do about it.
    for (QString& problem : problems) {
        const QString picture = problem.section(": ", 0, 0).section(' ', 1, -1);
        for (const Finding& finding : m_check.findings)
            if (finding.picture == picture) {
                problem += " (" + finding.text + ")";
                break;
            }
    }
    Problems->setText(problems.isEmpty() ? QString() : "Pictures drawn as placeholders:\n" + problems.join('\n'));
}

void frmBoardPreview::runCheck() {
    Profiles& profile = m_main.Profile();
    CheckOptions options;
    options.defaultPOP = profile.DefaultPOP();
    options.defaultItem = profile.DefaultItem();
    options.messageWidthTwips = [](const QString& text) { return textWidthTwips(text); };
    m_check = checkProfile(m_main.paths(), profile.ID(), options);
}

} // namespace zr
