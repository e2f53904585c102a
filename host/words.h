// The stand-in host's own words (window, listview, snapshot, ...), on
// Windows. Which words there are, their argument counts and kinds and their
// call shapes come from the reference's "Host word" entries
// (call_shapes.h, made from docs/reference.md): a word without an entry, or
// an entry without a word, does not build.
#pragma once
#include <string>
#include <vector>

#include "call_shapes.h"
#include "script.h"

namespace words {
#define TABULON_DECLARE_WORD(word)                                                                        \
    bool word(const script::Function& function, const std::string& spelled, const std::vector<script::Value>& args, \
              script::Value& result, std::string& error);
TABULON_HOST_WORDS(TABULON_DECLARE_WORD)
#undef TABULON_DECLARE_WORD
}  // namespace words

void AddHostWords(std::vector<script::Function>& functions);
