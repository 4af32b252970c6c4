// A warning the player must see before going on: a modal box where the
// platform has one that does not stop everything else. One file per
// platform kind.
#pragma once

// Shows title and text and waits for the player to close the box.
void ShowWarningBox(const char* title, const char* text);
