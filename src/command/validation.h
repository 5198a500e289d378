// What every command goes through before it is sent to the CAD application.
#pragma once

#include <string>
#include <string_view>

namespace zantoli {

// A leading full stop is dropped: ".LINE" is sent as "LINE".
std::string WithoutLeadingStop(std::string_view command);

// True when `command` holds one of the words that would let a typed line
// reconfigure or extend the CAD application, anywhere in it.
bool HoldsBlockedWord(std::string_view command);

// `st` without its leading full stop, or kRefusedCommand when it holds a
// blocked word: what an alias's command or a typed line becomes before it
// is sent.
std::string ValidatedCommand(std::string& st);

// True when the command window refuses `command` (an alias's command, or
// what was typed) with "Comando inválido." instead of sending it.
bool RefusedBeforeSending(std::string_view command);

// True when `word` occurs in `text`. An empty text holds nothing, not even
// the empty word.
bool Contains(std::string_view text, std::string_view word);

// What Form1's validation gives for a refused command; a command that is
// this text after validation is refused too.
inline constexpr std::string_view kRefusedCommand = "0";

}  // namespace zantoli
