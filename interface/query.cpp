// The query export and the extender's localized strings: a language file
// ZRXELANG.<language> beside the extender or on the search path may replace
// the texts of the module's string table.
#include <windows.h>

#include "call.h"
#include "characters.h"
#include "conversions.h"

namespace {

enum LanguageFileSearch { kNotSearched = 0, kNotFound = 1, kFound = 2 };

char LanguageFilePath[MAX_PATH];
int LanguageFileState = kNotSearched;
char TitleText[256];

const char kLanguageSection[] = "Gizmora Extender";
const char kMissing[] = "1.0";  // the default that marks a missing key

bool FileExists(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether the path's last character is a separator; a trail byte that
// looks like "\" is not one.
bool EndsInSeparator(char* path) {
    const char* separator = FindLastPathSeparator(path);
    return separator && !*NextCharacter(separator);
}

bool ExistsIn(char* directory, const char* name, char* found) {
    if (!directory[0]) return false;
    char path[MAX_PATH];
    const int length = lstrlenA(directory);
    const char* separator = EndsInSeparator(directory) ? "" : "\\";
    if (length + lstrlenA(separator) + lstrlenA(name) >= MAX_PATH) return false;
    wsprintfA(path, "%s%s%s", directory, separator, name);
    if (!FileExists(path)) return false;
    lstrcpynA(found, path, MAX_PATH);
    return true;
}

// These answer the length of what they wrote, or the size they would need
// (the module's name: the buffer's size, cut and maybe unterminated) when
// the buffer is too small: only a length below the size is a whole path.
bool Fits(DWORD length) { return length > 0 && length < MAX_PATH; }

// The directories OpenFile searches, in its order, but for paths of any
// length up to MAX_PATH: the program's directory, the current directory,
// the system directory, the 16-bit system directory, the Windows directory,
// then the PATH.
bool SearchLikeOpenFile(const char* name, char* found) {
    char directory[MAX_PATH];
    if (Fits(GetModuleFileNameA(nullptr, directory, MAX_PATH))) {
        if (char* separator = FindLastPathSeparator(directory)) {
            separator[0] = '\0';
            if (ExistsIn(directory, name, found)) return true;
        }
    }
    if (Fits(GetCurrentDirectoryA(MAX_PATH, directory)) && ExistsIn(directory, name, found)) return true;
    if (Fits(GetSystemDirectoryA(directory, MAX_PATH)) && ExistsIn(directory, name, found)) return true;
    const UINT windowsLength = GetWindowsDirectoryA(directory, MAX_PATH);
    const bool windowsFits = Fits(windowsLength);
    if (windowsFits && windowsLength + 8 < MAX_PATH) {
        char system16[MAX_PATH];
        wsprintfA(system16, "%s\\SYSTEM", directory);
        if (ExistsIn(system16, name, found)) return true;
    }
    if (windowsFits && ExistsIn(directory, name, found)) return true;
    char pathVariable[4096];
    const DWORD pathLength = GetEnvironmentVariableA("PATH", pathVariable, sizeof pathVariable);
    if (pathLength == 0 || pathLength >= sizeof pathVariable) return false;
    for (char* entry = pathVariable; *entry;) {
        char* end = entry;
        while (*end && *end != ';') end = NextCharacter(end);
        const bool last = *end == '\0';
        *end = '\0';
        if (ExistsIn(entry, name, found)) return true;
        if (last) break;
        entry = end + 1;
    }
    return false;
}

void FindLanguageFile(HINSTANCE instance) {
    LanguageFileState = kNotFound;
    LanguageFilePath[0] = '\0';
    char language[20];
    GetPrivateProfileStringA("MAIN", "Language", kMissing, language, sizeof language, "ZRXPRIME.INI");
    if (lstrcmpA(language, kMissing) == 0) GetProfileStringA("INTL", "sLanguage", "enu", language, sizeof language);

    char candidate[MAX_PATH] = "";
    if (Fits(GetModuleFileNameA(instance, candidate, MAX_PATH))) {
        char* separator = FindLastPathSeparator(candidate);
        if (separator) separator[1] = '\0';
        else candidate[0] = '\0';
    } else {
        candidate[0] = '\0';
    }
    char name[40];
    wsprintfA(name, "%s.%s", "ZRXELANG", language);
    if (lstrlenA(candidate) + lstrlenA(name) < MAX_PATH) {
        lstrcatA(candidate, name);
        if (FileExists(candidate)) {
            lstrcpynA(LanguageFilePath, candidate, MAX_PATH);
            LanguageFileState = kFound;
            return;
        }
    }
    if (SearchLikeOpenFile(name, LanguageFilePath)) LanguageFileState = kFound;
}

void ExpandMarkers(char* text) {
    for (char* c = text; *c; c = NextCharacter(c)) {
        if (*c == '~') *c = '\n';
        else if (*c == '|') *c = '\t';
    }
}

}  // namespace

int32_t LoadExtenderString(HINSTANCE instance, UINT id, char* buffer, int size) {
    if (LanguageFileState == kNotSearched) FindLanguageFile(instance);
    int32_t count = 0;
    bool fromFile = false;
    if (id >= 100 && LanguageFileState == kFound) {
        char key[kDecimalTextSize + 1] = "X";
        FormatInteger(static_cast<int32_t>(id), key + 1, kDecimalTextSize, 10);
        count = static_cast<int32_t>(
            GetPrivateProfileStringA(kLanguageSection, key, kMissing, buffer, size, LanguageFilePath));
        fromFile = lstrcmpA(buffer, kMissing) != 0;
        if (fromFile) {  // a value longer than the buffer is cut by bytes
            DropSplitCharacter(buffer);
            count = lstrlenA(buffer);
        }
    }
    if (!fromFile) {
        buffer[0] = '\0';
        count = LoadStringA(instance, id, buffer, size);
    }
    ExpandMarkers(buffer);
    return count;
}

extern "C" int32_t __stdcall QALExtenderQuery(int32_t request, void* buffer, int32_t length) {
    switch (static_cast<int16_t>(request & 0xFFFF)) {
        case 1:
            if (buffer && length > 0) {
                LoadExtenderString(ModuleHandle, kStringTitle, TitleText, sizeof TitleText);
                CopyWholeCharacters(static_cast<char*>(buffer), TitleText, static_cast<size_t>(length));
            }
            return kExtenderVersion;
        case 2: {
            const int32_t* levels = static_cast<const int32_t*>(buffer);
            for (int32_t i = 0; i < length; ++i)
                if (levels[i] == kInterfaceLevel) return kInterfaceLevel;
            return -1;
        }
        default:
            return 0;
    }
}
