// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>

namespace vosk {

// Raised by a handler that cannot go on (a preview picture that cannot be
// loaded). It ends the handler at once; the window catches it at the edge of
// the user action or window event and shows its message in an error box.
class HandlerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace vosk
