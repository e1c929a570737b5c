#pragma once

#include <climits>
#include <cmath>

namespace vosk {

// x as an int once it has been made whole. Values the window produces always
// fit; anything else comes from a damaged setup file and still has to give a
// defined number: NaN gives 0 and values beyond the int range give its ends.
inline int ClampToInt(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    if (x >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (x <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(x);
}

} // namespace vosk
