// Writes one editor's recovery copy into its folder, incrementally: a picture
// already in the folder (an undo slot that did not change) is not written
// again. Every file goes through the one whole-file writer; the index comes
// last, so a reader sees the old copy or the new one, never a mixture.
#pragma once

#include <set>
#include <string>

#include "app/core/recovery/RecoveryCopy.h"

namespace pixkura {

class TRecoveryWriter {
 public:
  explicit TRecoveryWriter(std::string folder) : folder_(std::move(folder)) {}

  // Writes the parts the folder lacks, then the index, then removes the parts
  // the index no longer names. Throws the writer's exceptions on failure; the
  // copy written before stays readable.
  void Write(const TRecoveryCopy& copy);
  // Removes the copy: the index first, so a half-removed copy is never read.
  void Remove();
  // Parts written so far (the benchmark and tests look at it).
  size_t PartsWritten() const { return partsWritten_; }

 private:
  std::string folder_;
  std::set<std::string> inFolder_;  // the part files this writer left in the folder
  size_t partsWritten_ = 0;
};

}  // namespace pixkura
