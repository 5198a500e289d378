// A call to the operating system that failed: the message names what could
// not be done and gives the system's reason; the system's code is kept.
#pragma once

#include <stdexcept>
#include <string>

namespace zantoli {

class SystemCallError : public std::runtime_error {
public:
    SystemCallError(const std::string& message, unsigned long code) : std::runtime_error(message), code_(code) {}
    unsigned long code() const noexcept { return code_; }

private:
    unsigned long code_;
};

}  // namespace zantoli
