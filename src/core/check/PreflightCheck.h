#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace zr {

class AppPaths;

/// One thing the check found in a profile before an update.
struct Finding {
    enum class Severity { Error, Warning } severity = Severity::Error;
    /// The editor and day part, or the line of the items file, where the user
    /// puts it right: "POP slideshow, Week / Lunch", "Items line 12".
    QString place;
    /// What is wrong and what to do about it.
    QString text;
    /// The picture the finding is about, or empty.
    QString picture;
    bool operator==(const Finding&) const = default;
};

/// What the check found, and what the update would send.
struct CheckResult {
    QList<Finding> findings;
    /// The bytes of the pictures, the items file and zr.conf that a standard
    /// update would send.
    qint64 bytesToSend = 0;

    bool hasErrors() const;
    bool hasWarnings() const;
    /// 0 clean, 7 warnings only, 8 errors: the exit status of zrctl check.
    int exitCode() const;
    /// "2 errors, 1 warning; the update would send 1.5 MB (1572864 bytes)."
    QString summary() const;
    /// "error: POP slideshow, Week / Lunch: text"
    static QString line(const Finding& finding);
};

/// What the check takes besides the profile's files.
struct CheckOptions {
    /// The default pictures the update sends; both empty: those of zr.ini, or
    /// the program's own, as the update takes them.
    QString defaultPOP, defaultItem;
    /// The address the update goes to; empty: the profile's own.
    QString ip;
    /// The width of an order-screen message in twips, in the board's message
    /// font. Without it (no fonts at hand, as in zrctl) the width is not checked.
    std::function<double(const QString& text)> messageWidthTwips;
};

/// Order-screen messages wider than this do not fit the board's order screen.
inline constexpr double OrderMessageTwips = 4020;
/// The longest line of the pre-sell message.
inline constexpr int PreSellLineLength = 50;
/// A picture below this size cannot be shown.
inline constexpr qint64 MinimumPictureBytes = 1;

/// Checks what an update of the profile would send, as its files on disk are
/// now: pictures, the items file, zr.conf and the address. Reads only; writes
/// and logs nothing. An unknown profile raises an AppError.
CheckResult checkProfile(const AppPaths& paths, const QString& profile, const CheckOptions& options = {});

} // namespace zr
