// A failed file operation, with a Spanish message that names the
// operation, the file and the system's reason.
#pragma once

#include <stdexcept>
#include <string>

namespace zantoli {

class FileError : public std::runtime_error {
public:
    FileError(const std::string& operation, const std::string& path, const std::string& reason)
        : std::runtime_error(Compose(operation, path, reason)),
          operation_(operation), path_(path), reason_(reason) {}

    const std::string& operation() const { return operation_; }
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

    // "No se ha podido leer el archivo C:\x\alias.dat: El sistema no puede ..."
    static std::string Compose(const std::string& operation, const std::string& path,
                               const std::string& reason) {
        return "No se ha podido " + operation + " el archivo " + path + ":\n" + reason;
    }

private:
    std::string operation_;
    std::string path_;
    std::string reason_;
};

// Operation words, so every message is phrased the same way.
namespace file_op {
inline const char* const kRead = "leer";
inline const char* const kWrite = "escribir";
inline const char* const kDelete = "borrar";
inline const char* const kRename = "cambiar el nombre de";
}  // namespace file_op

}  // namespace zantoli
