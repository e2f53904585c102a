// Language files for the tests of the title's search: folders under
// %TEMP% (also deeper than MAX_PATH, made through the wide functions),
// files written there, and the title a fresh copy of the extender reports.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "check.h"
#include "host/standin_host.h"

inline std::string TempDirectory(const char* leaf) {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string path = std::string(base) + leaf;
    CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\";
}

inline void WriteText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

inline std::string LanguageFileText(const std::string& title) { return "[Gizmora Extender]\r\nX1000=" + title + "\r\n"; }

// The title that a loaded copy of the extender reports, in a buffer of
// length bytes; the copy is unloaded after.
inline std::string TitleOfModule(HMODULE module, int length = 256) {
    host::Extender extender{};
    extender.module = module;
    extender.query = reinterpret_cast<host::Query>(GetProcAddress(module, "_QALExtenderQuery@12"));
    if (!CHECK(extender.query != nullptr)) return "<not loaded>";
    std::vector<char> title(256, 'q');
    CHECK_EQ(extender.query(1, title.data(), length), 51002);
    FreeLibrary(module);
    return title.data();
}

// Loads a private copy of the extender (its language-file search starts
// afresh) and returns the title it reports.
inline std::string TitleOfCopy(const std::string& directory, const char* name, int length = 256) {
    const std::string copy = directory + name;
    CopyFileA(host::DefaultExtenderPath().c_str(), copy.c_str(), FALSE);
    host::Extender extender{};
    if (!CHECK(host::LoadExtender(extender, copy))) return "<not loaded>";
    std::vector<char> title(256, 'q');
    const int32_t version = extender.query(1, title.data(), length);
    CHECK_EQ(version, 51002);
    std::string result(title.data());
    // A language file made after the first query is never seen.
    WriteText(directory + "ZRXELANG.late", LanguageFileText("late"));
    WritePrivateProfileStringA("MAIN", "Language", "late", "ZRXPRIME.INI");
    extender.query(1, title.data(), length);
    CHECK_EQ(std::string(title.data()), result);
    WritePrivateProfileStringA("MAIN", "Language", nullptr, "ZRXPRIME.INI");
    DeleteFileA((directory + "ZRXELANG.late").c_str());
    FreeLibrary(extender.module);
    return result;
}

// A folder under %TEMP% whose path, ending in a separator, is at least
// length characters: leaf, then segment as often as it takes.
inline std::wstring DeepFolder(const wchar_t* leaf, const wchar_t* segment, size_t length) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::wstring path = std::wstring(base) + leaf;
    CreateDirectoryW(path.c_str(), nullptr);
    while (path.size() + 1 < length) {
        path += std::wstring(L"\\") + segment;
        CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
    }
    return path + L"\\";
}


inline void WriteTextW(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}
