// In a browser a modal box would be the page's alert(), which freezes the
// tab and, in a game that starts without a click, greets the player with a
// dialog before anything is drawn. Every browser renders through its own
// layers, often in software, so the warning says nothing useful there: the
// log line the caller writes is enough.
#include "gfx/warning_box.h"

void ShowWarningBox(const char*, const char*) {}
