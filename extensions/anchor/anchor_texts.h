// The texts the anchor inserter shows and writes.
#pragma once

namespace varnel::tool::anchor {

inline constexpr char kDefaultLink[] = "http://";
inline constexpr char kChooseFileTitle[] = "Choose a file to link to";
// Name and pattern pairs, each ended by a NUL; the array's own NUL ends the list.
inline constexpr char kLinkFileFilter[] = "HTML Files\0*.htm;*.html\0All Files\0*\0";

inline constexpr char kTagOpen[] = "<a";
inline constexpr char kTagClose[] = ">";
inline constexpr char kClosingTag[] = "</a>";
inline constexpr char kHrefAttribute[] = " href=\"";
inline constexpr char kNameAttribute[] = " name=\"";
inline constexpr char kTitleAttribute[] = " title=\"";
inline constexpr char kAttributeEnd[] = "\"";

// Attribute names read from an existing tag, compared without case.
inline constexpr char kHrefName[] = "href";
inline constexpr char kNameName[] = "name";
inline constexpr char kTitleName[] = "title";

} // namespace varnel::tool::anchor
