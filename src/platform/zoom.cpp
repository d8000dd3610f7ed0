#include "zoom.h"

float ZoomFromPercent(int percent)
{
    if (percent < 30)
        return 0.201f;
    if (percent >= 100)
        return 1.001f;
    const int step = percent / 10; // 3..9
    return static_cast<float>(step) / 10.0f + 0.001f;
}

int PercentFromZoom(float zoom)
{
    // Compare against the same single-precision steps the ladder is written in.
    static const float steps[] = {0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f};
    int percent = 20;
    for (float step : steps) {
        if (zoom >= step)
            percent += 10;
    }
    return percent;
}
