// Message box styles used by the programs.
#pragma once

namespace zantoli {

enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbCritical = 16,
    vbInformation = 64,
};

}  // namespace zantoli
