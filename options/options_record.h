#pragma once
// The ten settings of options.ini, in file order.
#include <cstddef>
#include <cstdint>

namespace lirabo {

inline constexpr std::size_t kOptionsCount = 10;
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

struct OptionsRecord {
  std::int16_t Farbtiefe = 0;      // 1 low, 2 high, 0 none chosen
  std::int16_t Sprachausgabe = 0;
  std::int16_t HGrund = 0;         // cover the desktop with the background
  std::int16_t HGrundCopy = 0;     // always replaced by HGrund after reading
  std::int16_t TVis = 0;           // taskbar stays visible
  std::int16_t Auflösung = 0;      // full screen: 640 x 480
  std::int16_t Buchstaben = 0;
  std::int16_t Proto = 0;
  std::int16_t FehlerWeiter = 0;
  std::int16_t ProtSave = 0;       // pupil names in use; written as 1 or 0

  // Setting n of the file is At(n - 1).
  std::int16_t& At(std::size_t index) {
    std::int16_t* fields[] = {&Farbtiefe, &Sprachausgabe, &HGrund,  &HGrundCopy,   &TVis,
                              &Auflösung, &Buchstaben,    &Proto,   &FehlerWeiter, &ProtSave};
    return *fields[index];
  }
  std::int16_t At(std::size_t index) const { return const_cast<OptionsRecord*>(this)->At(index); }

  friend bool operator==(const OptionsRecord&, const OptionsRecord&) = default;
};

}  // namespace lirabo
