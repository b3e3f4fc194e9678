// Finds the sound files behind cue names: the cue's own file in the current
// directory, and the program's default sound installed beside the program;
// and reads a WAV file's sound for a back end that plays the bytes itself.
// Standard C++ only, so every platform finds its sounds by the same rules.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

// The file for a cue name such as "./Sound/Push": the file as named, else the
// name with ".wav"; the file name may differ in case from the cue's, so a
// folder copied from a case-insensitive file system still works. Empty when
// there is no such file.
std::filesystem::path ResolveCueFile(std::u16string_view cueName);

// The program's default sound, looked for beside the program in programFolder
// (Default.wav there on Windows, share/minukape/Default.wav beside an
// installed program or in its build tree). Empty when it is missing.
std::filesystem::path DefaultCueFile(const std::filesystem::path &programFolder);

// A RIFF WAVE sound as a player takes it: its format chunk (WAVEFORMATEX's
// bytes, 16 at least) and its sound data.
struct WavSound {
    std::vector<char> format;
    std::vector<char> data;
};

// The sound in file, whose data is what the file holds of it when it is cut
// short; none when file is no RIFF WAVE with a format and some sound.
std::optional<WavSound> ReadWav(const std::filesystem::path &file);
