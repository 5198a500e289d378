// The title window shown for the first three seconds. Its timer is never
// stopped: every tick also puts Form1 back on top.
#pragma once

#include "system/controls.h"
#include "system/system.h"

namespace zantoli {

class Splash {
public:
    static constexpr unsigned kTimer1IntervalMs = 3000;

    Splash(Desktop& desktop, Form& window, Form& form1);

    void Timer1_Timer();

private:
    Desktop& desktop_;
    Form& window_;
    Form& form1_;
};

}  // namespace zantoli
