#pragma once

#include "draw/BoardDrawing.h"
#include "check/PreflightCheck.h"
#include "preview/BoardMoment.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class QTimer;

namespace zr {

class frmMain;

/// The week as 7 rows of 24 hours, each coloured by the day part in force.
/// A click picks the moment under the mouse.
class WeekStrip : public QWidget {
    Q_OBJECT
public:
    explicit WeekStrip(QWidget* parent = nullptr);
    void setStarts(const ScheduleStarts& starts);
    void setMoment(const Moment& moment);
    /// The moment at a point of the strip, to the minute.
    Moment momentAt(const QPoint& point) const;
    /// The middle of a moment's place on the strip.
    QPointF pointOf(const Moment& moment) const;
    /// Day-part colours, in the order of DayPartKeys.
    static QColor partColor(int part);
    QSize sizeHint() const override { return {24 * 18 + LabelWidth, 7 * 16 + 2}; }

signals:
    void momentPicked(const zr::Moment& moment);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    static constexpr int LabelWidth = 34;
    QRectF cells() const;
    ScheduleStarts m_starts;
    Moment m_moment;
};

/// What the current profile's board shows at a moment of the week, drawn as
/// the board stands. Reads the model and the pictures; changes nothing.
class frmBoardPreview : public QWidget {
    Q_OBJECT
public:
    explicit frmBoardPreview(frmMain& main);
    ~frmBoardPreview() override;
    QSize sizeHint() const override { return {1040, 700}; }

    void setMoment(const Moment& moment);
    void setState(BoardState state);
    /// Starts or stops the board's clock: a second a second.
    void play(bool on);
    /// Moves the idle screen to the start of the next picture.
    void step();
    /// One second of the board's clock.
    void tick();

    const BoardPreview& board() const { return m_board; }
    BoardState state() const { return m_state; }
    qint64 idleSeconds() const { return m_idle; }
    const QImage& frame() const { return m_frame; }

    QComboBox* Day = nullptr;
    QTimeEdit* TimeOfDay = nullptr;
    WeekStrip* Strip = nullptr;
    QLabel* DayPartInfo = nullptr;
    std::array<QRadioButton*, 3> opt{}; ///< idle, order, total
    std::array<QPushButton*, 4> cmd{};  ///< play/pause, step, check now, exit
    QLabel* Position = nullptr;
    QListWidget* ItemList = nullptr;
    QLabel* Board = nullptr;
    QLabel* Legend = nullptr;
    QLabel* Problems = nullptr;
    QTimer* Ticker = nullptr;

private:
    void compute();
    void redraw();
    QList<MenuItem> pickedItems() const;
    void runCheck();

    frmMain& m_main;
    QList<MenuItem> m_shown;
    std::unique_ptr<BoardPictures> m_pictures;
    BoardPreview m_board;
    CheckResult m_check;
    BoardState m_state = BoardState::Idle;
    qint64 m_idle = 0;
    int m_totalLeft = 0;
    QImage m_frame;
    bool m_updating = false;
};

} // namespace zr
