#pragma once

#include <span>

// The entries of the category list, in their order. Entry 0, "Барлық
// категория", stands for all categories; every other entry is a subject
// whose text a term's cat must equal, character for character, to be found
// under it.
namespace lexaran::search {

extern const std::span<const char16_t *const> kCategories;

} // namespace lexaran::search
