// The one policy on where a sweep may start, on paths alone.
#include "platform/ProtectedPlaces.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

const std::vector<ProtectedPlace> Places = {
    {R"(C:\Windows)", PlaceKind::Windows},
    {R"(C:\Program Files)", PlaceKind::ProgramFiles},
    {R"(C:\Program Files (x86))", PlaceKind::ProgramFiles},
    {R"(C:\ProgramData)", PlaceKind::ProgramData},
    {R"(C:\Users)", PlaceKind::Users},
    {R"(D:\Profiles\ann)", PlaceKind::Profile},
    {R"(\\?\C:\Users\ann\Documents)", PlaceKind::KnownFolder},
    {R"(E:\Shared\AppData\Roaming)", PlaceKind::KnownFolder},
};

TEST(ProtectedPlaces, DotsAreSettledWithoutClimbingAboveTheRoot) {
    const std::pair<const char*, const char*> cases[] = {
        {R"(C:\a\.\b\..\c\)", R"(C:\a\c)"},
        {R"(C:\Temp\..)", R"(C:\)"},
        {R"(C:\..\..\x)", R"(C:\x)"},
        {"C:/a//b/", R"(C:\a\b)"},
        {R"(\\server\share\a\..)", R"(\\server\share)"},
        {R"(\\?\C:\a\.\b)", R"(\\?\C:\a\b)"},
        {R"(rel\..\..\x)", R"(..\x)"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(ResolveDots(in), out) << in;
    }
}

TEST(ProtectedPlaces, EveryKindOfPlaceAndEveryFolderAboveOneIsRefused) {
    const std::pair<const char*, PlaceKind> refused[] = {
        {R"(C:\)", PlaceKind::DriveRoot},
        {"y:", PlaceKind::DriveRoot},
        {R"(\\?\Volume{1b2c}\)", PlaceKind::DriveRoot},
        {R"(\\server\share\)", PlaceKind::ShareRoot},
        {R"(\\?\UNC\server\share)", PlaceKind::ShareRoot},
        {R"(C:\WINDOWS\)", PlaceKind::Windows},
        {R"(C:\Program Files (x86))", PlaceKind::ProgramFiles},
        {R"(c:\programdata)", PlaceKind::ProgramData},
        {R"(C:\Users)", PlaceKind::Users},
        {R"(C:\Users\bob)", PlaceKind::Profile}, // any folder directly in the users' folder
        {R"(C:\Users\Public\)", PlaceKind::Profile},
        {R"(D:\Profiles\ann)", PlaceKind::Profile},
        {R"(D:\Profiles)", PlaceKind::Profile}, // above a profile
        {R"(C:\Users\ann\Documents)", PlaceKind::KnownFolder},
        {R"(E:\Shared\AppData)", PlaceKind::KnownFolder},
        {R"(C:\Users\ann\AppData\Local\Temp\..\..\Roaming\..\..)", PlaceKind::Profile},
        {R"(\\?\C:\Windows\System32\..)", PlaceKind::Windows},
    };
    for (const auto& [path, kind] : refused) {
        EXPECT_EQ(ProtectedPlaceAt(path, Places), kind) << path;
    }
}

TEST(ProtectedPlaces, FoldersBelowThePlacesAndBesideThemAreSwept) {
    for (const char* path :
         {R"(C:\Windows\Prefetch)", R"(C:\Program Files\eMule\config\)",
          R"(C:\Users\ann\AppData\Local\Temp)", R"(C:\Users\ann\Documents\old drafts)",
          R"(C:\Windows2)", R"(C:\Users2\x)", R"(\\server\share\temp)", R"(E:\Shared\AppData2)",
          // Names a place's name starts with, but not folders above it.
          R"(C:\Program)", R"(E:\Shared\App)", "relative", ""}) {
        EXPECT_EQ(ProtectedPlaceAt(path, Places), std::nullopt) << path;
    }
}

} // namespace
} // namespace vp
