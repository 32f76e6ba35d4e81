#pragma once
// The maker's web site. The address lies under ".example", a top-level name reserved so that
// it never belongs to anyone: the program shows where its pages would be without pointing
// users at a stranger's site.
#include <string>

namespace MyApp {

constexpr const char* ProductName = "Tessaly";
constexpr const char* SiteRoot = "http://www.orvtessaly.example";

// The program's page: the site root, "/", the product name and ".asp".
inline std::string HelpPageAddress() { return std::string(SiteRoot) + "/" + ProductName + ".asp"; }

}  // namespace MyApp
