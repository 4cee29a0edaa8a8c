#include "draw/BoardDrawing.h"

#include "app/AppPaths.h"
#include "app/WindowsText.h"
#include "draw/MockUps.h"
#include "draw/ScreenDrawing.h"

#include <QPainter>

namespace zr {

const BoardPictures::Picture& BoardPictures::load(QHash<QString, Picture>& cache, const QString& folder,
                                                  const QString& name) {
    const QString key = name.toLower();
    if (const auto found = cache.constFind(key); found != cache.constEnd()) return *found;
    Picture picture;
    picture.problem = pictureProblem(folder, name);
    if (picture.problem.isEmpty()) {
        picture.image = loadPicture(AppPaths::resolveIn(folder, name));
        if (picture.image.isNull()) picture.problem = PictureUnreadable;
    }
    return *cache.insert(key, picture);
}

QSize boardSize(bool landscape) {
    return landscape ? QSize(640, 480) : QSize(480, 640);
}

QColor configColor(qint32 value) {
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

QImage problemPicture(QSize size, const QString& name, const QString& problem) {
    QImage image = placeholderPicture(size, name.isEmpty() ? QString("(no name)") : name);
    QPainter p(&image);
    const QColor alarm(200, 20, 30);
    p.setPen(QPen(alarm, 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(image.rect()).adjusted(3, 3, -3, -3));
    const int band = qMax(22, size.height() / 8);
    p.fillRect(QRect(0, 0, size.width(), band), alarm);
    p.setPen(Qt::white);
    p.setFont(screenFont(qMax(10, band / 3)));
    p.drawText(QRect(6, 0, size.width() - 12, band), Qt::AlignCenter | Qt::TextWordWrap,
               "PICTURE PROBLEM: " + problem);
    return image;
}

namespace {

// Sizes follow the shorter side of the screen; 480 pixels is the board's own.
double scaleOf(QSize size) {
    return qMin(size.width(), size.height()) / 480.0;
}

void drawFitted(QPainter& p, const QImage& image, const QRect& area) {
    const QSize fitted = image.size().scaled(area.size(), Qt::KeepAspectRatio);
    const QRect target(area.x() + (area.width() - fitted.width()) / 2,
                       area.y() + (area.height() - fitted.height()) / 2, fitted.width(), fitted.height());
    p.drawImage(target, image);
}

void drawPicture(QPainter& p, const BoardPictures::Picture& picture, const QString& name, const QRect& area) {
    if (picture.problem.isEmpty())
        drawFitted(p, picture.image, area);
    else
        p.drawImage(area.topLeft(), problemPicture(area.size(), name, picture.problem));
}

void drawMessage(QPainter& p, const BoardPreview& board, qint64 second, QSize size) {
    p.fillRect(QRect(QPoint(0, 0), size), configColor(board.backColor));
    p.setPen(configColor(board.foreColor));
    QFont font = messageFont();
    font.setPixelSize(qRound(26 * scaleOf(size)));
    p.setFont(font);
    const int line = QFontMetrics(font).height() * 3 / 2;
    const int count = static_cast<int>(board.messageLines.size());
    for (int i = 0; i < count; ++i) {
        int y;
        if (board.messageDisplayType.compare("random", Qt::CaseInsensitive) == 0) {
            // A new place for each line every second, the same for the same second.
            const quint64 mix = (static_cast<quint64>(second) + 1) * 2654435761u + static_cast<quint64>(i) * 40503u;
            y = static_cast<int>(mix % static_cast<quint64>(qMax(1, size.height() - line)));
        } else {
            // The lines drift up the screen and come round again.
            const int run = count * line + size.height();
            y = size.height() - static_cast<int>((second * line / 2) % run) + i * line;
        }
        p.drawText(QRect(0, y, size.width(), line), Qt::AlignCenter, shownText(board.messageLines[i]));
    }
}

void drawIdle(QPainter& p, const BoardPreview& board, qint64 second, QSize size, BoardPictures& pictures) {
    const std::optional<SlideAt> slide = board.idleSlide(second);
    if (second < board.messageSeconds) {
        drawMessage(p, board, second, size);
        return;
    }
    p.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    if (!slide) {
        p.drawImage(0, 0, problemPicture(size, QString(), "this day part has no POP"));
        return;
    }
    const QString& name = board.pops[slide->index].Picture;
    drawPicture(p, pictures.pop(name), name, QRect(QPoint(0, 0), size));
}

void drawOrder(QPainter& p, const BoardPreview& board, QSize size, BoardPictures& pictures) {
    const OrderScreenView& order = board.order;
    const double w = size.width(), h = size.height(), k = scaleOf(size);
    p.drawImage(0, 0, orderScreenPicture(size));
    QFont font = messageFont();
    font.setPixelSize(qRound(20 * k));
    p.setFont(font);
    const int margin = qRound(14 * k);

    // The lines between the heading and the suggestion; those that do not fit are counted.
    const double top = h * 0.11, row = h * 0.07;
    const int room = 5;
    const int count = static_cast<int>(order.lines.size());
    for (int i = 0; i < count && i < room; ++i) {
        const QRect r(margin, qRound(top + row * i), qRound(w) - 2 * margin, qRound(row));
        p.setPen(Qt::white);
        const bool more = i == room - 1 && count > room;
        const QString text = more ? QString("+ %1 more").arg(count - i)
                                  : "1  " + shownText(order.lines[i].item.LongDescriptor);
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, text);
        if (order.showUnitPrice && !more)
            p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, SamplePrices::money(order.lines[i].unitCents));
    }

    // The suggestion: picture and message.
    const QRect panel(margin, qRound(h * 0.47), qRound(w) - 2 * margin, qRound(h * 0.27));
    if (order.suggestion) {
        const QRect picture(panel.x() + panel.width() / 4, panel.y(), panel.width() / 2, panel.height() * 3 / 4);
        drawPicture(p, pictures.suggestion(order.suggestion->Picture), order.suggestion->Picture, picture);
        p.setPen(QColor(255, 224, 128));
        p.drawText(QRect(panel.x(), picture.bottom(), panel.width(), panel.height() / 4), Qt::AlignCenter,
                   shownText(order.suggestion->Message));
    }
    if (order.showTax) {
        p.setPen(QColor(220, 220, 220));
        const QRect r(margin, qRound(h * 0.75), qRound(w) - 2 * margin, qRound(h * 0.06));
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, "TAX");
        p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, SamplePrices::money(order.taxCents));
    }
    if (order.showTotal) {
        p.setPen(QColor(20, 20, 20));
        const QRect r(margin, qRound(h * 0.82), qRound(w) - 2 * margin, qRound(h * 0.08));
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, "TOTAL");
        p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, SamplePrices::money(order.totalCents));
    }
    p.setPen(Qt::white);
    p.drawText(QRect(0, qRound(h * 0.9), qRound(w), qRound(h * 0.1)), Qt::AlignCenter,
               shownText(order.message));
}

void drawTotal(QPainter& p, const BoardPreview& board, QSize size) {
    const double k = scaleOf(size);
    drawScreen(p, QRectF(QPointF(0, 0), QSizeF(size)));
    p.setPen(Qt::white);
    p.setFont(screenFont(qRound(30 * k)));
    const QRect all(QPoint(0, 0), size);
    p.drawText(all.adjusted(0, 0, 0, -size.height() / 4), Qt::AlignCenter, "YOUR TOTAL");
    p.setFont(screenFont(qRound(64 * k)));
    p.drawText(all.adjusted(0, size.height() / 6, 0, 0), Qt::AlignCenter,
               "$" + SamplePrices::money(board.order.totalCents));
}

} // namespace

QImage drawBoard(const BoardPreview& board, BoardState state, qint64 idleSeconds, QSize size,
                 BoardPictures& pictures) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // Without a total screen the board goes from the order straight back to idle.
    if (state == BoardState::Total && !board.totalScreen) state = BoardState::Idle;
    switch (state) {
    case BoardState::Idle:
        drawIdle(p, board, idleSeconds, size, pictures);
        break;
    case BoardState::Order:
        drawOrder(p, board, size, pictures);
        break;
    case BoardState::Total:
        drawTotal(p, board, size);
        break;
    }
    return image;
}

} // namespace zr
