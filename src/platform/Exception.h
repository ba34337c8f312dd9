// The root of the terminal's exception classes: a fixed message and the class name.
#pragma once

#include "platform/AnsiString.h"

#include <exception>

namespace tuvako {

// Every exception class of the terminal derives from Exception. Besides its message it can
// tell its own class name, which the log line "Unabled to connect: ESocketError: ..." and
// the exception report need.
class Exception : public std::exception {
public:
    explicit Exception(AnsiString message) : message_(std::move(message)) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const AnsiString& Message() const noexcept { return message_; }
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    AnsiString message_;
};

// "ClassName: message" for any exception; a foreign std::exception gets its C++ type name.
AnsiString DescribeException(const std::exception& error);

}  // namespace tuvako

// Declares an exception class `Name` derived from `Base` that reports its own name.
#define TUVAKO_DECLARE_EXCEPTION(Name, Base)                              \
    class Name : public Base {                                            \
    public:                                                               \
        using Base::Base;                                                 \
        const char* ClassName() const noexcept override { return #Name; } \
    }
