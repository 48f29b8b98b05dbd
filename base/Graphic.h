// The graphic base class: a picture that can be loaded, saved and drawn, and
// that tells its views when it changed or how far a long operation has got.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace pixkura {

class TStream;

struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

enum class TProgressStage { psStarting, psRunning, psEnding };

class TGraphic {
 public:
  using TNotifyEvent = std::function<void(TGraphic& sender)>;
  using TProgressEvent = std::function<void(TGraphic& sender, TProgressStage stage, uint8_t percentDone,
                                            bool redrawNow, const TRect& rect, const std::string& msg)>;

  TGraphic() = default;
  virtual ~TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual int32_t GetWidth() const = 0;
  virtual int32_t GetHeight() const = 0;
  virtual bool GetEmpty() const = 0;
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) const = 0;
  // Opens the file and calls LoadFromStream (EFOpenError when it cannot).
  virtual void LoadFromFile(const std::string& fileName);
  // Builds the file with SaveToStream in memory and replaces fileName atomically.
  virtual void SaveToFile(const std::string& fileName) const;

  // Tells the views that the picture changed.
  virtual void Changed();
  void Progress(TProgressStage stage, uint8_t percentDone, bool redrawNow, const TRect& rect,
                const std::string& msg);

  bool PaletteModified = false;
  bool Modified = false;
  TNotifyEvent OnChange;
  TProgressEvent OnProgress;
};

}  // namespace pixkura
