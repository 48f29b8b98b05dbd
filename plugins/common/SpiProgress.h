// Progress reports to the host during GetPicture.
#pragma once

#include <cstdint>

#include "formats/SusiePlugin.h"

namespace pixkura::spi {

class TProgress {
 public:
  TProgress(SusieProgressCallback callback, intptr_t data) : callback_(callback), data_(data) {}

  // Reports num of denom steps done. False when the host asked to stop.
  bool Report(int32_t num, int32_t denom);

  // Reports step `done` of `total` when it starts a new group of `every`
  // steps, and always for the last one, so that the host hears from a long
  // decode regularly without a call per row. False when the host asked to stop.
  bool Step(int64_t done, int64_t total, int64_t every = 16);

 private:
  SusieProgressCallback callback_;
  intptr_t data_;
};

}  // namespace pixkura::spi
