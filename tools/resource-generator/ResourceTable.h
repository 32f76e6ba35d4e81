#pragma once
// The names and ids of every resource the program loads: the one table that
// ResourceIds.h and tessaly.rc are both written from.

#include <string>
#include <vector>

namespace MyApp::Generator {

enum class ResourceContent {
    AppIcon, Logo, Atlas, BackgroundSwatch, PairSwatch, Toolbar, DocumentIcon
};

struct ResourceName {
    std::string name;  // as ResourceIds.h defines it
    int id;
    ResourceContent content;
    int index;  // the pair a pair swatch shows; 0 for the others
};

// The resources in the order of their ids.
std::vector<ResourceName> ResourceNames();

// The text of ResourceIds.h: one #define per resource.
std::string ResourceIdHeader(const std::vector<ResourceName>& names);

}  // namespace MyApp::Generator
