#pragma once
// Small text helpers the handlers share.
#include <string>
#include <string_view>

namespace kestrova {

// The first n characters; the whole text when n exceeds its length; "" when n <= 0.
std::string headChars(std::string_view text, int n);

// The last n characters; the whole text when it is shorter than n.
std::string tailChars(std::string_view text, int n);

// The row a grid control stands for: the number in the last three characters of its name
// ("chan005" gives 5). Raises the invalid-integer error when they are no number.
int IndexFromName(std::string_view controlName);

// The decimal text of n, with a "0" in front when it is one character long: 7 gives "07".
std::string TwoDigitNumber(int n);

}  // namespace kestrova
