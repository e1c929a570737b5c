#pragma once

// Where the car's files live, relative to the simulator's working folder.
namespace vosk::paths {

inline constexpr char kSetupFolder[] = "cars/vosk/setup/";
inline constexpr char kSetupPattern[] = "cars/vosk/setup/*.rvs";
inline constexpr char kActiveSetupFile[] = "cars/vosk/setup/conf.ini";
inline constexpr char kSkinsFolder[] = "cars/vosk/skins";
inline constexpr char kSkinChoiceFile[] = "cars/vosk/cfg.ini";
inline constexpr char kTyreTemperatureFile[] = "cfg/of";

// The active-setup name that stands for the defaults instead of a file.
inline constexpr char kDefaultSetupName[] = "default";

} // namespace vosk::paths
