// The leak checker of sanitizer builds reads these: SDL's start-up opens a
// D-Bus connection whose library keeps an allocation for the whole process
// (not freed by SDL_Quit either). It is not ours to fix.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
