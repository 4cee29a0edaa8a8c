#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace zr {

class AppPaths;

/// zrctl preview: what a profile's board shows at a moment of the week.
namespace PreviewCommand {

struct Options {
    QString profile;
    QString at;            ///< "fri 11:30" or "fri 11:30:15"
    QStringList order;     ///< short descriptors; none: the first entrée
    bool orderGiven = false;
    QString state = "idle"; ///< idle, order or total
    QString png;           ///< file for the drawing, or empty
    QString size;          ///< "WxH", or empty for the board's own size
};

/// Whether these program arguments ask for a drawing, which needs Qt Gui
/// before the options are parsed.
bool wantsDrawing(int argc, char** argv);

/// Prints the preview, one fact a line, and writes the drawing. Reads the
/// profile only. Returns the program's exit status: 0, or 1 with a message.
int run(const AppPaths& paths, const Options& options);

} // namespace PreviewCommand
} // namespace zr
