// A command that did not reach the CAD application, with the message that
// tells the user why. The Enter handling reports it and leaves the window
// as it found it, so the user can send the text again.
#pragma once

#include <stdexcept>
#include <string>

namespace zantoli {

class CommandNotSent : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace zantoli
