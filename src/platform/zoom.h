// The zoom ladders: percent steps and the scale factors that stand for them.
#pragma once

// Each factor lies 0.001 above its step so that it converts back to the same percent.
float ZoomFromPercent(int percent);
int PercentFromZoom(float zoom);
