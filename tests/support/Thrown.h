// The one way a test matches an exception: its class name and message as the log shows them.
#pragma once

#include "cipher/CipherException.h"
#include "platform/Exception.h"

#include <string>

namespace tuvako::test {

// "ClassName: message" of what `action` throws, or "" when it throws nothing. Any other
// exception goes on to fail the test.
template <class Action>
std::string Thrown(Action&& action) {
    try {
        action();
    } catch (const Exception& error) {
        return std::string(error.ClassName()) + ": " + error.what();
    } catch (const CipherException& error) {
        return std::string(error.ClassName()) + ": " + error.what();
    }
    return "";
}

}  // namespace tuvako::test
