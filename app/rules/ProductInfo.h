#pragma once
// What the program says about itself: its name, the window title, the About box's texts and the
// maker's web site. The site lies under ".example", a top-level name reserved so that it never
// belongs to anyone: the program shows where its pages would be without sending users to a
// stranger's site.
#include "app/rules/ProductVersion.h"

#include <string>

namespace MyApp {

constexpr const char* ProductName = "Tessaly";
constexpr const char* ProductTitle = "Orv Tessaly";
constexpr const char* ProductNotice = "- disegni a caratteri, 80 x 25 celle";
constexpr const char* ProductVersion = "Versione " TESSALY_VERSION_TEXT;
// The About box's text: its lines are broken here, the box does not wrap them.
constexpr const char* ProductDescription =
    "Disegni a caratteri fino a 80 x 25 celle,\r\n131 glifi in 42 coppie di colori.";
// Short enough for the About box's link, which shows about 24 characters.
constexpr const char* SiteRoot = "http://www.orv.example";
// Where the program remembers its settings, under HKEY_CURRENT_USER.
constexpr const wchar_t* SettingsKey = L"Software\\Orv\\Tessaly";

// The main window's title: the product title, a space and the notice.
inline std::string MainWindowTitle() { return std::string(ProductTitle) + " " + ProductNotice; }

// The program's page: the site root, "/", the product name and ".asp".
inline std::string HelpPageAddress() { return std::string(SiteRoot) + "/" + ProductName + ".asp"; }

}  // namespace MyApp
