// Text helpers for messages: UTF-8 for GoogleTest output, hex for bytes.
#pragma once

#include <string>
#include <vector>

namespace e2e {

std::string Narrow(const std::wstring& wide);
std::wstring Widen(const std::string& utf8);
std::string Hex(const std::string& bytes);
std::string LastError();
// Lines ended by CR LF; a last line without one is kept.
std::vector<std::string> CrLfLines(const std::string& bytes);

}  // namespace e2e
