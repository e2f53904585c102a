// The ANSI code page of native builds, for the platform-neutral texts:
// which bytes lead a two-byte character in the code pages the tests use,
// and whether texts are UTF-8.
#pragma once

// 1252 (the default), 1251, 932, 936, 949, 950 or 65001 (UTF-8); others
// act as 1252.
void SetCodePage(unsigned codePage);
