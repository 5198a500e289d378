#include "form1/form1.h"

namespace zantoli {

Form1::Form1(System& sys, Form& window, ComboBox& texto_, ListBox& lista_, Label& ultimo_,
             Form& splash)
    : texto(texto_), lista(lista_), ultimo(ultimo_), sys_(sys), window_(window), splash_(splash) {}

std::string Form1::AppFile(const char* name) const { return sys_.AppDir() + name; }

}  // namespace zantoli
