// Sanitizer builds of the tests: what LeakSanitizer needs to tell the GL
// driver's memory from ours.
#pragma once

namespace testkit {

// Mesa unloads its driver (swrast_dri.so) when the last GL context or X
// display goes, while blocks that the driver's own data still points to
// stay allocated; at exit LeakSanitizer then reports them as leaks with
// frames in an unmapped module, which no suppression can match. Loading the
// drivers once more, never to be unloaded, keeps them mapped: those blocks
// stay reachable, as they would be in a process that kept its display.
// Child processes (the real program in the end-to-end tests) get
// detect_leaks=0 (see the source). Does nothing in other builds.
void PrepareSanitizers();

}  // namespace testkit
