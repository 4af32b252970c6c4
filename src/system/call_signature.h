// The signature text of CallFunction: "d:dd" is double f(double, double).
#pragma once
#include <string>
#include <vector>

enum class CallType { Double, Int, Text, Void };

struct CallSignature {
    CallType result = CallType::Void;
    std::vector<CallType> arguments;  // at most kMaxCallArguments
};

constexpr size_t kMaxCallArguments = 4;

// The signature, or false with the reason: a result of d, i or v, a colon,
// then up to four of d, i and s (v only as the result, s never as it).
bool ParseCallSignature(const std::string& text, CallSignature& signature, std::string& why);
