// Calling a C function whose signature is known only at run time. Through
// libffi on the desktops (function_call_desktop.cpp); the browser has no
// such calls (function_call_web.cpp).
#pragma once
#include <string>

#include "system/call_signature.h"

struct CallArguments {
    double numbers[kMaxCallArguments] = {};
    const char* texts[kMaxCallArguments] = {};
};

// Calls function with the arguments its signature names; false with the
// reason when the call cannot be made.
bool CallNativeFunction(void* function, const CallSignature& signature, const CallArguments& arguments, double& result,
                        std::string& why);
