// Lets the scoring code read a QString's UTF-16 text in place, without a copy.
#pragma once

#include <QString>
#include <string_view>

inline std::u16string_view Utf16View(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())};
}
