// Finds the sound files behind cue names: the cue's own file in the current
// directory, and the program's default sound installed beside the program.
// Standard C++ only, so every platform finds its sounds by the same rules.
#pragma once

#include <filesystem>
#include <string_view>

// The file for a cue name such as "./Sound/Push": the file as named, else the
// name with ".wav"; the file name may differ in case from the cue's, so a
// folder copied from a case-insensitive file system still works. Empty when
// there is no such file.
std::filesystem::path ResolveCueFile(std::u16string_view cueName);

// The program's default sound, looked for beside the program in programFolder
// (Default.wav there on Windows, share/minukape/Default.wav beside an
// installed program or in its build tree). Empty when it is missing.
std::filesystem::path DefaultCueFile(const std::filesystem::path &programFolder);

// Whether file starts like a RIFF WAVE sound with a format and a data chunk:
// what a player that cannot report failure must check before it is handed a file.
bool LooksLikeWav(const std::filesystem::path &file);
