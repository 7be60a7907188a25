#pragma once

#include <string_view>

namespace vexa::platform {

// File name patterns of the first-file/next-file search.
//
// '*' matches any run of characters (also none, also dots); '?' matches exactly one character (a
// surrogate pair counts as one), never none, also at the end of the pattern. Letters match without
// regard to case. A pattern ending in ".*" also matches names that have no dot at that place, so "*.*"
// matches every name, "speed*.*" matches "speed" and "speed000.bmp", and "screenshot.*" matches
// "screenshot". Any other character, a trailing '.' included, matches only itself: "*.lnk" matches
// "a.lnk" but not "a.lnk2".

// True when `pattern` holds '*' or '?'.
bool HasWildcards(std::u16string_view pattern);

// True when `name` (one file name, no folder part) matches `pattern` (one component, no folder part).
bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name);

}  // namespace vexa::platform
