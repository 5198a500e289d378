// The program was ending on purpose and its orderly stop failed. It must
// reach the standard error message and the end: nothing on the way (the
// Enter handling least of all) may take it for a command that was not sent.
#pragma once

#include <stdexcept>

namespace zantoli {

class ProgramEnding : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace zantoli
