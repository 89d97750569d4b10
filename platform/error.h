#pragma once

#include <stdexcept>
#include <string>

namespace z7 {

// An error that no handler of the program deals with: it travels up to the
// default error report, which shows what() (UTF-8) in a message box.
class Error : public std::runtime_error
{
public:
    explicit Error(const std::string &messageUtf8)
        : std::runtime_error(messageUtf8)
    {
    }
};

} // namespace z7
