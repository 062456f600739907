// The words and labels of the Rez function scanner.
#pragma once

#include <cstddef>
#include <string_view>

// Compared as written.
constexpr std::string_view kRezInclude = "include";
// Compared in any letter case.
constexpr std::string_view kRezType = "type";
constexpr std::string_view kRezResource = "resource";

// Labels and include names hold at most this many bytes, a resource's type as its name
// at most kRezTypeNameBytes.
constexpr std::size_t kRezLabelBytes = 255;
constexpr std::size_t kRezTypeNameBytes = 31;
