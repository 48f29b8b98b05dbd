// Editor sessions from arbitrary bytes: see EditorSession.h for the actions
// and the checks. A failed check is reported and ends the run.
#include <cstdio>
#include <cstdlib>

#include "fuzz/editor/EditorSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    pixkura::fuzz::PlayEditorSession(data, size);
  } catch (const pixkura::fuzz::ESessionCheck& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    std::abort();
  }
  return 0;
}
