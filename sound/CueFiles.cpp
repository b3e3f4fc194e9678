#include "CueFiles.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsFile(const fs::path &path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

char16_t Folded(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return Folded(x) == Folded(y); });
}

// A regular file in folder whose name equals name but for case.
fs::path FileIgnoringCase(const fs::path &folder, std::u16string_view name)
{
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (SameIgnoringCase(entry->path().filename().u16string(), name) && IsFile(entry->path()))
            return entry->path();
    }
    return {};
}

std::uint32_t Little32(const unsigned char *bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t(bytes[3]) << 24;
}

} // namespace

fs::path ResolveCueFile(std::u16string_view cueName)
{
    std::error_code error;
    const fs::path cue = (fs::current_path(error) / fs::path(cueName)).lexically_normal();
    const fs::path folder = cue.parent_path();
    const std::u16string name = cue.filename().u16string();
    const std::u16string wavName = name + u".wav";
    for (const fs::path &path : {cue, folder / wavName}) {
        if (IsFile(path))
            return path;
    }
    for (const std::u16string &candidate : {name, wavName}) {
        if (fs::path file = FileIgnoringCase(folder, candidate); !file.empty())
            return file;
    }
    return {};
}

fs::path DefaultCueFile(const fs::path &programFolder)
{
    for (const char *relative : {"Default.wav", "../share/minukape/Default.wav", "share/minukape/Default.wav"}) {
        const fs::path file = (programFolder / relative).lexically_normal();
        if (IsFile(file))
            return file;
    }
    return {};
}

std::optional<WavSound> ReadWav(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::streamoff left = in ? std::streamoff(in.tellg()) : 0;
    in.seekg(0);
    std::array<unsigned char, 12> header{};
    if (!in.read(reinterpret_cast<char *>(header.data()), header.size())
        || !std::equal(header.begin(), header.begin() + 4, "RIFF")
        || !std::equal(header.begin() + 8, header.end(), "WAVE"))
        return std::nullopt;
    left -= std::streamoff(header.size());
    WavSound sound;
    std::array<unsigned char, 8> chunk{};
    while (in.read(reinterpret_cast<char *>(chunk.data()), chunk.size())) {
        left -= std::streamoff(chunk.size());
        // A size past the end of the file is a file cut short: what it holds is read.
        const auto size = std::size_t(std::min<std::streamoff>(Little32(chunk.data() + 4), std::max<std::streamoff>(left, 0)));
        std::vector<char> *wanted = std::equal(chunk.begin(), chunk.begin() + 4, "fmt ") ? &sound.format
            : std::equal(chunk.begin(), chunk.begin() + 4, "data")                    ? &sound.data
                                                                                      : nullptr;
        if (wanted) {
            wanted->resize(size);
            in.read(wanted->data(), std::streamsize(size));
            if (wanted == &sound.data)
                break;
        } else {
            in.seekg(std::streamoff(size), std::ios::cur);
        }
        in.seekg(std::streamoff(size & 1), std::ios::cur);
        left -= std::streamoff(size + (size & 1));
    }
    if (sound.format.size() < 16 || sound.data.empty())
        return std::nullopt;
    return sound;
}
