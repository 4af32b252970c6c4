// What one web request ended with.
#pragma once
#include <string>

struct HttpOutcome {
    int status = -1;      // the server's status code, or -1 when no answer came
    std::string body;     // the answer's body (at most kHttpMaxBody bytes)
    std::string failure;  // why there was no answer, when status is -1
};
