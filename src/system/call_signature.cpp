#include "system/call_signature.h"

namespace {

bool TypeOf(char c, CallType& type) {
    switch (c) {
        case 'd': type = CallType::Double; return true;
        case 'i': type = CallType::Int; return true;
        case 's': type = CallType::Text; return true;
        case 'v': type = CallType::Void; return true;
        default: return false;
    }
}

}  // namespace

bool ParseCallSignature(const std::string& text, CallSignature& signature, std::string& why) {
    signature = CallSignature{};
    if (text.size() < 2 || text[1] != ':') {
        why = "signature \"" + text + "\" is not a result type, a colon and the argument types";
        return false;
    }
    if (!TypeOf(text[0], signature.result) || signature.result == CallType::Text) {
        why = "signature \"" + text + "\" has no result type d, i or v";
        return false;
    }
    const std::string arguments = text.substr(2);
    if (arguments.size() > kMaxCallArguments) {
        why = "signature \"" + text + "\" has more than 4 arguments";
        return false;
    }
    for (const char c : arguments) {
        CallType type;
        if (!TypeOf(c, type) || type == CallType::Void) {
            why = "signature \"" + text + "\" has an argument type other than d, i or s";
            return false;
        }
        signature.arguments.push_back(type);
    }
    return true;
}
