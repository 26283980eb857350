#pragma once
// Small text helpers for the HTML-like files inside a compiled help file.
#include <string>
#include <string_view>

namespace kestrova::ui {

char lowerAscii(char c);
std::string lowerAscii(std::string_view text);

// Replaces &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references (&#233; &#xE9;) by their
// UTF-8 bytes; anything else, including references to no valid character, stays as written.
std::string decodeCharacterReferences(std::string_view text);

// A topic named with the file it lives in ("ms-its:kestrova.chm::/page.htm") loses that prefix,
// since the viewer reads only the file it has open.
std::string_view withoutArchivePrefix(std::string_view local);

}  // namespace kestrova::ui
