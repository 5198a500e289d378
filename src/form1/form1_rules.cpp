// Form1's procedures for the alias-line fields and the validation, under
// the names the rest of Form1 knows them by.
#include "command/fields.h"
#include "command/validation.h"
#include "form1/form1.h"

namespace zantoli {

std::string Form1::comas(const std::string& tt, int X, char XC) { return std::string(FieldOf(tt, X, XC)); }

std::string Form1::ValeCom(std::string& st) { return ValidatedCommand(st); }

int Form1::EstaSt(const std::string& st1, const std::string& st2) { return Contains(st1, st2) ? 1 : 0; }

}  // namespace zantoli
