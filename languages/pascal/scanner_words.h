// The words and labels of the Pascal function scanner. Words are upper case; the text is
// compared with them in any case.
#pragma once

#include <string_view>

constexpr std::string_view kPascalBegin = "BEGIN";
constexpr std::string_view kPascalCase = "CASE";
constexpr std::string_view kPascalConst = "CONST";
constexpr std::string_view kPascalEnd = "END";
constexpr std::string_view kPascalExternal = "EXTERNAL";
constexpr std::string_view kPascalForward = "FORWARD";
constexpr std::string_view kPascalFunction = "FUNCTION";
constexpr std::string_view kPascalImplementation = "IMPLEMENTATION";
constexpr std::string_view kPascalInline = "INLINE";
constexpr std::string_view kPascalInterface = "INTERFACE";
constexpr std::string_view kPascalObject = "OBJECT";
constexpr std::string_view kPascalProcedure = "PROCEDURE";
constexpr std::string_view kPascalRecord = "RECORD";
constexpr std::string_view kPascalType = "TYPE";
constexpr std::string_view kPascalUses = "USES";
constexpr std::string_view kPascalVar = "VAR";

// A type's label is this prefix and the type's name.
constexpr std::string_view kPascalTypeLabel = "T:";

// Labels and unit names hold at most this many bytes.
constexpr std::size_t kPascalLabelBytes = 63;
