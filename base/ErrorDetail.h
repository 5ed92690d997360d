#pragma once

#include "base/AppError.h"

#include <QString>

#include <utility>

// Another program's own words behind an error (a database server's, mostly
// in English), kept apart from the program's Chinese message: the message box
// offers them as its details.
class ErrorDetail
{
public:
    explicit ErrorDetail(QString detail)
        : m_detail(std::move(detail))
    { }
    virtual ~ErrorDetail() = default;
    const QString &detail() const { return m_detail; }

private:
    QString m_detail;
};

// An error of kind `Kind` (DataError, ServerAwayError) with such words.
template <class Kind>
class DetailedError : public Kind, public ErrorDetail
{
public:
    DetailedError(const QString &message, const QString &detail)
        : Kind(message)
        , ErrorDetail(detail)
    { }
};

// The words behind `error`; empty when it has none.
inline QString DetailOf(const AppError &error)
{
    const auto *detailed = dynamic_cast<const ErrorDetail *>(&error);
    return detailed ? detailed->detail() : QString();
}

// The message with the words behind it, for a reason kept as text.
inline QString FullText(const AppError &error)
{
    const QString detail = DetailOf(error);
    return detail.isEmpty() ? error.message() : error.message() + QLatin1Char('\n') + detail;
}
