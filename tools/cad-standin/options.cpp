#include "options.h"

namespace standin {

std::optional<Options> ParseOptions(const std::vector<std::wstring>& args, const std::wstring& programDir,
                                    std::wstring& error) {
    Options options;
    options.appDir = programDir;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& name = args[i];
        std::wstring* target = name == L"--title"    ? &options.title
                               : name == L"--appdir" ? &options.appDir
                               : name == L"--log"    ? &options.logPath
                                                     : nullptr;
        if (!target) {
            error = L"Opción desconocida: " + name +
                    L"\nUso: cad-standin [--title TÍTULO] [--appdir CARPETA] [--log FICHERO]";
            return std::nullopt;
        }
        if (i + 1 == args.size()) {
            error = L"Falta el valor de " + name;
            return std::nullopt;
        }
        *target = args[++i];
    }
    while (options.appDir.size() > 3 && (options.appDir.back() == L'\\' || options.appDir.back() == L'/'))
        options.appDir.pop_back();
    return options;
}

}  // namespace standin
