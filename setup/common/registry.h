// Registry routines shared by the installer and the uninstaller. Every failure is
// silent: the caller gets no handle, false or nullopt and goes on.
#pragma once

#include "install_plan.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace varnel::setup {

HKEY RootKey(RegistryRoot root);

// Opens the key for writing (`create`) or for reading. When opening for writing fails,
// the key is created, its parents level by level as far as they are missing. Answers
// null when the key can be neither opened nor created; close a handle with RegCloseKey.
HKEY OpenKey(HKEY root, const std::string& path, bool create);

// Opens or creates the key and sets the string value (empty name: the (default) value).
bool WriteValue(HKEY root, const std::string& path, const std::string& name, const std::string& text);
bool WriteValue(const RegistryValue& value);

// Reads a string value into a 1025-byte buffer; nullopt when the key or the value is
// missing, is no string, or does not fit.
std::optional<std::string> ReadValue(HKEY root, const std::string& path, const std::string& name);

// Deletes one value of an existing key (empty name: the (default) value).
bool DeleteValue(HKEY root, const std::string& path, const std::string& name);

// The names of the key's direct subkeys, gathered before the caller changes any.
std::vector<std::string> SubkeyNames(HKEY root, const std::string& path);

// Deletes the key with every subkey below it.
bool DeleteKeyTree(HKEY root, const std::string& path);
// Deletes the key only when it holds neither subkeys nor values.
bool DeleteKeyIfEmpty(HKEY root, const std::string& path);

} // namespace varnel::setup
