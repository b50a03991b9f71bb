#include "WheelSteps.h"

namespace app {

int WheelSteps::add(Use use, int delta, int step)
{
    if (step <= 0 || delta == 0)
        return 0;
    const bool sameTurn = use == m_use && step == m_step && (m_left < 0) == (delta < 0);
    m_use = use;
    m_step = step;
    // The rest stays below one step, so that the steps fit an int whatever the delta.
    const long long turned = (sameTurn ? m_left : 0) + static_cast<long long>(delta);
    const long long steps = turned / step;
    m_left = static_cast<int>(turned - steps * step);
    return static_cast<int>(steps);
}

} // namespace app
