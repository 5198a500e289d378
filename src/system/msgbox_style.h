// Message box styles used by the programs.
#pragma once

namespace zantoli {

enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbCritical = 16,
    vbExclamation = 48,
    vbInformation = 64,
};

}  // namespace zantoli
