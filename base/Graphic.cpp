#include "base/Graphic.h"

#include "base/Streams.h"

namespace pixkura {

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, TFileMode::fmOpenRead);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) const {
  TMemoryStream stream;
  SaveToStream(stream);
  stream.SaveToFile(fileName);
}

void TGraphic::Changed() {
  Modified = true;
  if (OnChange) OnChange(*this);
}

void TGraphic::Progress(TProgressStage stage, uint8_t percentDone, bool redrawNow, const TRect& rect,
                        const std::string& msg) {
  if (OnProgress) OnProgress(*this, stage, percentDone, redrawNow, rect, msg);
}

}  // namespace pixkura
