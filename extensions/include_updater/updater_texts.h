// The texts the include updater looks for and writes.
#pragma once

namespace varnel::tool::updater {

// Markers: "<!--" [space] "#include" [space] "\"file\"" ... "-->" and "<!--" [space]
// "end" [space] "include" ... ">"; the words in any letter case.
inline constexpr char kCommentOpen[] = "!--";
inline constexpr char kIncludeWord[] = "include";
inline constexpr char kEndWord[] = "end";

inline constexpr char kFilePlaceholder[] = "$file$";
inline constexpr char kDatePlaceholder[] = "$date$";
inline constexpr char kTimePlaceholder[] = "$time$";
// Stays as it is: there is no user-name lookup that succeeds.
inline constexpr char kNamePlaceholder[] = "$name$";

inline constexpr const char* kWeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                 "Thursday", "Friday", "Saturday"};
inline constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",
                                                "May",     "June",     "July",      "August",
                                                "September", "October", "November", "December"};

// The longest file name a start marker may hold.
inline constexpr int kMaxFileNameLength = 1024;
// The size of the buffer the document's path is asked into.
inline constexpr int kDocumentPathBufferSize = 1024;

} // namespace varnel::tool::updater
