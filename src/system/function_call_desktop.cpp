#include <ffi.h>

#include <cmath>
#include <cstdint>

#include "system/function_call.h"

namespace {

ffi_type* FfiType(CallType type) {
    switch (type) {
        case CallType::Double: return &ffi_type_double;
        case CallType::Int: return &ffi_type_sint32;
        case CallType::Text: return &ffi_type_pointer;
        case CallType::Void: break;
    }
    return &ffi_type_void;
}

// A number as a C int: the fraction cut off, clamped to int's range, NaN 0.
int32_t IntOf(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

bool CallNativeFunction(void* function, const CallSignature& signature, const CallArguments& arguments, double& result,
                        std::string& why) {
    const size_t count = signature.arguments.size();
    ffi_type* types[kMaxCallArguments];
    void* values[kMaxCallArguments];
    double doubles[kMaxCallArguments];
    int32_t ints[kMaxCallArguments];
    const char* texts[kMaxCallArguments];
    for (size_t i = 0; i < count; ++i) {
        types[i] = FfiType(signature.arguments[i]);
        switch (signature.arguments[i]) {
            case CallType::Double:
                doubles[i] = arguments.numbers[i];
                values[i] = &doubles[i];
                break;
            case CallType::Int:
                ints[i] = IntOf(arguments.numbers[i]);
                values[i] = &ints[i];
                break;
            default:
                texts[i] = arguments.texts[i] != nullptr ? arguments.texts[i] : "";
                values[i] = &texts[i];
                break;
        }
    }
    ffi_cif cif;
    if (ffi_prep_cif(&cif, FFI_DEFAULT_ABI, static_cast<unsigned>(count), FfiType(signature.result), types) != FFI_OK) {
        why = "libffi cannot make this call";
        return false;
    }
    // libffi widens small integer results to a whole ffi_arg.
    union {
        double number;
        ffi_arg integer;
    } returned{};
    ffi_call(&cif, reinterpret_cast<void (*)()>(function), &returned, values);
    switch (signature.result) {
        case CallType::Double: result = returned.number; break;
        case CallType::Int: result = static_cast<int32_t>(returned.integer); break;
        default: result = 0; break;
    }
    return true;
}
