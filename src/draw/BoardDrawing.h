#pragma once

#include "preview/BoardMoment.h"

#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>

namespace zr {

/// The pictures the board shows, each read once, with what keeps one from
/// being shown: missing, empty or unreadable.
class BoardPictures {
public:
    BoardPictures(QString popFolder, QString itemFolder)
        : m_popFolder(std::move(popFolder)), m_itemFolder(std::move(itemFolder)) {}

    struct Picture {
        QImage image;
        QString problem; ///< empty when the picture can be shown
    };
    const Picture& pop(const QString& name) { return load(m_pops, m_popFolder, name); }
    /// Suggestion pictures lie among the item pictures.
    const Picture& suggestion(const QString& name) { return load(m_items, m_itemFolder, name); }

private:
    const Picture& load(QHash<QString, Picture>& cache, const QString& folder, const QString& name);

    QString m_popFolder, m_itemFolder;
    QHash<QString, Picture> m_pops, m_items;
};

inline const QString PictureUnreadable = "unreadable: not a picture the board can show";

/// What the drawing cannot take from the configuration, shown beside every drawing.
inline const QString ApproximationNote =
    "An approximation: the configuration names fonts but not how the board draws them, and no exact "
    "layout; positions, sizes and fonts here are the preview's own. The idle screen is counted from the "
    "start of the day part. Prices are sample figures.";

/// The board's screen in pixels: 480 × 640 upright, 640 × 480 on its side.
QSize boardSize(bool landscape);

/// The board at a moment in a state, idleSeconds into its idle screen (the
/// pre-sell message, then the slideshow), drawn at the size given.
QImage drawBoard(const BoardPreview& board, BoardState state, qint64 idleSeconds, QSize size,
                 BoardPictures& pictures);

/// A picture that cannot be shown: a clearly marked stand-in naming it and what is wrong.
QImage problemPicture(QSize size, const QString& name, const QString& problem);

/// A colour of the configuration: red in the low byte, then green, then blue.
QColor configColor(qint32 value);

} // namespace zr
