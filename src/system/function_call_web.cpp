#include "system/function_call.h"

bool CallNativeFunction(void*, const CallSignature&, const CallArguments&, double&, std::string& why) {
    why = "a page in the browser cannot call library functions";
    return false;
}
