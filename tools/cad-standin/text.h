// Conversions between the CAD side's single-byte text and the wide text of
// the window, and the system's wording of an error code.
#pragma once

#include <string>

namespace standin {

std::wstring FromAnsi(const std::string& bytes);
std::wstring SystemReason(unsigned long error);

}  // namespace standin
