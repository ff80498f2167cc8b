#pragma once
// The ten settings of options.ini, in file order.
#include <cstddef>
#include <cstdint>

namespace lirabo {

inline constexpr std::size_t kOptionsCount = 10;
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

struct OptionsRecord {
  std::int16_t colourDepth = 0;      // 1 low, 2 high, 0 none chosen
  std::int16_t speechOutput = 0;
  std::int16_t coverDesktop = 0;         // cover the desktop with the background
  std::int16_t coverDesktopCopy = 0;     // always replaced by coverDesktop after reading
  std::int16_t taskbarVisible = 0;           // taskbar stays visible
  std::int16_t fullScreen = 0;      // full screen: 640 x 480
  std::int16_t capitalsOnly = 0;
  std::int16_t logAfterTenTasks = 0;
  std::int16_t continueAfterMistakes = 0;
  std::int16_t logUnderPupilName = 0;       // pupil names in use; written as 1 or 0

  // Setting n of the file is At(n - 1).
  std::int16_t& At(std::size_t index) {
    std::int16_t* fields[] = {&colourDepth, &speechOutput, &coverDesktop,  &coverDesktopCopy,   &taskbarVisible,
                              &fullScreen, &capitalsOnly,    &logAfterTenTasks,   &continueAfterMistakes, &logUnderPupilName};
    return *fields[index];
  }
  std::int16_t At(std::size_t index) const { return const_cast<OptionsRecord*>(this)->At(index); }

  friend bool operator==(const OptionsRecord&, const OptionsRecord&) = default;
};

}  // namespace lirabo
