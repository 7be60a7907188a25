#pragma once

#include <filesystem>
#include <string>

// A new skin folder from a small template: an 800 x 480 skin file whose lines explain themselves, a
// background, one pair of button pictures, ready to edit.
namespace vexa::skintool {

// Makes `root`/`name`. False with the reason in `error` when the name is not a plain folder name,
// the folder exists already, or a file cannot be written.
bool MakeNewSkin(const std::filesystem::path& root, const std::string& name, std::string& error);

}  // namespace vexa::skintool
