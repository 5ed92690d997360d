#pragma once

#include <QString>

#include <stdexcept>

// An error the program reports to the user in its own words. Handlers let it
// propagate; the application's general error box shows its text.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A text that should have been a number.
class ConversionError : public AppError
{
public:
    using AppError::AppError;
};

// The database engine refused an operation, or the data file cannot be used.
class DataError : public AppError
{
public:
    using AppError::AppError;
};

// Another program kept the data file locked for longer than the engine waits:
// the file itself is fine and the same action may succeed later.
class DataBusyError : public DataError
{
public:
    using DataError::DataError;
};

// The database server could not be reached, the link to it broke, or it did
// not complete a statement in time: the same action may succeed later.
class ServerAwayError : public DataError
{
public:
    using DataError::DataError;
};
