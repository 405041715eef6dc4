// The exception kinds the program raises. Messages are Windows-1250 texts.
//
// An exception that escapes an event handler is caught by the toolkit's
// dispatch (Application::handle_exception) and shown in the standard error box;
// the program goes on.
#pragma once

#include <exception>
#include <string>

// The general error.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const { return message_; }

private:
    std::string message_;
};

// A text that does not convert to a number, or a format pattern that does not
// fit its arguments: "'abc' is not a valid floating point value".
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened, read or written.
class EInOutError : public Exception {
public:
    explicit EInOutError(std::string message, int error_code = 0)
        : Exception(std::move(message)), ErrorCode(error_code) {}
    int ErrorCode;
};

// An ini write that the system refused: "Unable to write to %s".
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// Arithmetic that the old runtime refused (division by zero, square root of a
// negative number, a conversion of NaN or infinity to a whole number).
class EMathError : public Exception {
public:
    using Exception::Exception;
};

// A list or a control's item list refused an operation.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// The silent exception: it unwinds the current command and shows nothing.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};
