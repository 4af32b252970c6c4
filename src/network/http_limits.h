// The bounds every web request keeps, on every platform.
#pragma once
#include <cstddef>

constexpr long kHttpConnectMs = 5000;
constexpr long kHttpTotalMs = 15000;
constexpr std::size_t kHttpMaxBody = std::size_t{4} * 1024 * 1024;
constexpr long kHttpMaxRedirects = 5;
// Longer URLs are refused before any request starts.
constexpr std::size_t kHttpMaxUrl = 8192;
