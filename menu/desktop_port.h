#pragma once
// The classroom desktop: display mode, taskbar and work area.
namespace lirabo {

inline constexpr int kDispChangeSuccessful = 0;
inline constexpr int kDispChangeRestart = 1;

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

class DesktopPort {
 public:
  virtual ~DesktopPort() = default;
  virtual PixelSize ScreenSize() = 0;
  // ChangeDisplaySettings on the record of the first listed mode with only width
  // and height set; the answer is a DISP_CHANGE_ value.
  virtual int TestDisplayMode(PixelSize size) = 0;
  virtual int SwitchDisplayMode(PixelSize size, bool temporary) = 0;
  // Shows or hides the taskbar window "Shell_traywnd"; nothing when there is none.
  virtual void SetTaskbarVisible(bool visible) = 0;
  virtual PixelRect WorkArea() = 0;
};

}  // namespace lirabo
