#include "ResourceTable.h"

#include "model/GlyphAtlas.h"

#include <cstdio>

namespace MyApp::Generator {

namespace {

struct Row {
    const char* name;
    int id;
    ResourceContent content;
};

// The pair swatches follow on from their row, one id per pair, suffixed 00, 01, ...
constexpr Row Rows[] = {
    {"IDI_APP", 1005, ResourceContent::AppIcon},
    {"IDB_LOGO", 1006, ResourceContent::Logo},
    {"IDB_ATLAS", 1007, ResourceContent::Atlas},
    {"IDI_COLOUR_NERO", 1008, ResourceContent::BackgroundSwatch},
    {"IDI_COLOUR_GRIGIO", 1009, ResourceContent::BackgroundSwatch},
    {"IDI_COLOUR_BLU", 1010, ResourceContent::BackgroundSwatch},
    {"IDI_COLOUR_ROSSO", 1011, ResourceContent::BackgroundSwatch},
    {"IDI_COLOUR_VERDE", 1012, ResourceContent::BackgroundSwatch},
    {"IDI_COLOUR_BIANCO", 1013, ResourceContent::BackgroundSwatch},
    {"IDI_COLOUR_AZZURO", 1014, ResourceContent::BackgroundSwatch},
    {"IDI_PAIR_", 1015, ResourceContent::PairSwatch},
    {"IDB_TOOLBAR", 1066, ResourceContent::Toolbar},
    {"IDI_DOCUMENT", 1067, ResourceContent::DocumentIcon},
};

}  // namespace

std::vector<ResourceName> ResourceNames() {
    std::vector<ResourceName> names;
    for (const Row& row : Rows) {
        if (row.content != ResourceContent::PairSwatch) {
            names.push_back(ResourceName{row.name, row.id, row.content, 0});
            continue;
        }
        for (int pair = 0; pair < PairCount; ++pair) {
            char suffix[8];
            std::snprintf(suffix, sizeof suffix, "%02d", pair);
            names.push_back(ResourceName{row.name + std::string(suffix), row.id + pair,
                                         row.content, pair});
        }
    }
    return names;
}

std::string ResourceIdHeader(const std::vector<ResourceName>& names) {
    std::string header =
        "#pragma once\n"
        "// Tessaly's resource ids, shared by the resource script and the code that loads them.\n"
        "// Written by tools/resource-generator (scripts/generate-resources): do not edit.\n\n";
    for (const ResourceName& name : names) {
        char line[96];
        std::snprintf(line, sizeof line, "#define %-24s %d\n", name.name.c_str(), name.id);
        header += line;
    }
    return header;
}

}  // namespace MyApp::Generator
