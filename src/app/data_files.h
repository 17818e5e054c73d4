#pragma once

// The data files the program loads, by the paths the game names them with.
constexpr const char* kImageList1File = "Data\\Res\\Res1.dxg";
constexpr const char* kImageList2File = "Data\\Res\\Res2.dxg";
constexpr const char* kSoundListFile = "Data\\Res\\Sounds.dxw";
// What happens in a game depends on each of them (pictures' sizes and frames, the sounds'
// names), so they are a replay's rules as much as the code is; the music is not.
constexpr const char* kRuleDataFiles[] = {kImageList1File, kImageList2File, kSoundListFile};
