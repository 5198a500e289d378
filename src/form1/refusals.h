// What the command window tells the operator when a command is not sent,
// exactly as the message boxes show it (UTF-8).
#pragma once

namespace zantoli::refusals {

inline constexpr const char* kInvalidCommand = "Comando inválido.";
inline constexpr const char* kUnsendableCharacters =
    "La orden contiene caracteres que no se pueden enviar a Trazalia R14.";
inline constexpr const char* kNotActivated =
    "No se ha podido activar la ventana de Trazalia R14; la orden no se ha enviado.";
inline constexpr const char* kKeysRefused =
    "Trazalia R14 no acepta las teclas de Zantoli (¿se ejecuta como administrador?).";
inline constexpr const char* kDialogOpen =
    "Trazalia R14 tiene abierto un cuadro de diálogo; la orden no se ha enviado. "
    "Ciérrelo en Trazalia R14 y pulse Intro de nuevo.";
inline constexpr const char* kBusy =
    "Trazalia R14 está ocupado y no responde; la orden no se ha enviado. "
    "Cuando termine, pulse Intro de nuevo.";
// Sent, but not listed.
inline constexpr const char* kHistoryFull =
    "La lista del historial no admite más entradas; la orden se ha enviado sin anotarla.";

}  // namespace zantoli::refusals
