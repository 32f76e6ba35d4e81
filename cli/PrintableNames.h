#pragma once
// File names as the converter prints them: control characters spelled out, so that no
// name can move the cursor, colour the terminal or pass for a line of its own.

#include <filesystem>
#include <string>
#include <string_view>

namespace MyApp {

// UTF-8 text with "\n", "\r", "\t", "\xHH" for the other control bytes and for bytes that
// are no UTF-8, "\u0080".."\u009f" for the C1 controls, and (but on Windows, whose names
// hold no control characters) "\\" for a backslash.
std::string Printable(std::string_view text);
std::string PrintableName(const std::filesystem::path& name);

}  // namespace MyApp
