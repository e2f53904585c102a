// The ANSI code page of native builds, for the platform-neutral texts:
// which bytes lead a two-byte character in the code pages the tests use.
#pragma once

// 1252 (the default), 1251, 932, 936, 949 or 950; others act as 1252.
void SetCodePage(unsigned codePage);
