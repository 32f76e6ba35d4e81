#pragma once
// The values the new-drawing dialog offers and how it reads what the user typed.
#include <string>

namespace MyApp {

constexpr int SmallestSide = 10;  // the least the dialog's arrows offer, and what a bad entry reads as
constexpr int WidestDrawing = 80;
constexpr int TallestDrawing = 25;
constexpr int ProposedWidth = 40;
constexpr int ProposedHeight = 15;

// A side typed into the dialog: the number when the text is one (digits only) within
// minimum..maximum, otherwise `minimum`. So 99 for the width, 5 or an empty box read as 10.
int TypedSide(const std::wstring& text, int minimum, int maximum);

// The background list item shown for a drawing's background pair: the first choice whose value
// is that pair, or the first item when none is.
int BackgroundChoiceFor(int pair);

// The pair of a background item's value string, read as the C library's atoi does.
int PairOfChoiceValue(const std::string& value);

}  // namespace MyApp
