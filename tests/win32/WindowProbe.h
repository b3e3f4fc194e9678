// What the driver and the hook it places in the program (window_probe.cpp)
// share: the names of the blocks and message, and the blocks' layout.
#pragma once

#include <windows.h>

inline constexpr const wchar_t *ProbeMessageName = L"minukape-imm-probe";
inline constexpr const wchar_t *ProbeStateName = L"minukape-imm-probe";
inline constexpr const wchar_t *DisplayRecordName = L"minukape-display-record";
inline constexpr int DisplayId = 104; // Text3

struct ProbeState {
    LONG answered, open, conversion;
};

struct DisplayRecord {
    LONG count;
    wchar_t texts[512][8];
    LONGLONG at[512]; // when each text was given, on the performance counter
};
