// The root of the cipher's exception classes.
#pragma once

#include <exception>
#include <string>

namespace tuvako {

// The cipher needs no other library of ours, so its failures have a root of their own. Like the
// terminal's exceptions they carry a fixed message and can tell their class name.
class CipherException : public std::exception {
public:
    explicit CipherException(std::string message) : message_(std::move(message)) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    virtual const char* ClassName() const noexcept { return "CipherException"; }

private:
    std::string message_;
};

}  // namespace tuvako

// Declares a cipher exception class `Name` derived from `Base` that reports its own name.
#define TUVAKO_DECLARE_CIPHER_EXCEPTION(Name, Base)                       \
    class Name : public Base {                                            \
    public:                                                               \
        using Base::Base;                                                 \
        const char* ClassName() const noexcept override { return #Name; } \
    }
