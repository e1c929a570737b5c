#pragma once

class TfrmMain;

namespace vosk::test {

// The setup that the save loop keeps writing, and how many different
// versions of it it cycles through.
inline constexpr char kSavedSetup[] = "cars/vosk/setup/x.rvs";
inline constexpr int kVersions = 40;

// Moves the window's sliders to version k of the setup.
void ApplyVersion(TfrmMain *window, int k);

} // namespace vosk::test
