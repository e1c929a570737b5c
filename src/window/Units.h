#pragma once

namespace vosk::units {

// The step multipliers of the sliders, as the double nearest each decimal.
// The value boxes and the stored record use the same ones, so what a box
// shows is what "ok" stores.
inline constexpr double kHundredth = 0.01;
inline constexpr double kTenth = 0.1;
inline constexpr double kThousandth = 0.001;

} // namespace vosk::units
