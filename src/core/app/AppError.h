#pragma once

#include <QString>
#include <exception>

namespace zr {

/// A failure that is passed up to the caller with the routine that raised it,
/// a number and a description. Windows show it in an "Error" box and log it.
class AppError : public std::exception {
public:
    AppError(QString source, qint64 number, QString description)
        : m_source(std::move(source)), m_number(number), m_description(std::move(description)),
          m_what(m_description.toLocal8Bit()) {}

    const QString& source() const { return m_source; }
    qint64 number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    QString m_source;
    qint64 m_number;
    QString m_description;
    QByteArray m_what;
};

/// The user answered No to a question that ends the program at once,
/// without saving anything.
class LoadCancelled : public std::exception {
public:
    explicit LoadCancelled(QString key) : m_key(std::move(key)) {}
    const QString& key() const { return m_key; }
    const char* what() const noexcept override { return "loading cancelled by the user"; }

private:
    QString m_key;
};

// Error numbers the program raises itself.
namespace errors {
constexpr qint64 FileNotFound = 53;
constexpr qint64 PathNotFound = 76;
constexpr qint64 PathFileAccess = 75;
constexpr qint64 DuplicateKey = 457;
constexpr qint64 InvalidArgument = 5;
constexpr qint64 DeviceIO = 57;
constexpr qint64 Interrupted = 18; // a transfer stopped part way on request
} // namespace errors

} // namespace zr
