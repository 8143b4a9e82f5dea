#pragma once
#include "RegistryStore.h"

#include <string>

namespace zorvic {

// The five routines through which every settings access goes. Key paths are relative to the
// root and use "\" ("SOFTWARE\Zorvic\Settings\High"); values travel as text. Each call reads the
// store afresh and keeps nothing open.
//
// With `create` set, a missing key and its missing parents are created; otherwise a missing key
// makes the routine do nothing (false, output untouched). A store whose file cannot be read
// (told to the user once) is treated alike: every key is out of reach, reads leave their output
// as it was, writes and deletes do nothing. Inside an opened key:
//   - reading a value stored as the other kind throws EZorvicError "Invalid data type for
//   '<name>'";
//   - a write or delete that cannot be saved throws "Failed to set data for '<name>'" and leaves
//     the stored file as it was;
//   - writing kind 0 from a text that is not a decimal integer throws EConvertError
//     "'<text>' is not a valid integer value".
// Kinds other than kRegInteger and kRegString do nothing beyond opening the key.

constexpr int kRegInteger = 0;
constexpr int kRegString = 1;

bool OpenRegKey(TRegRoot root, const std::string& key, bool create);
bool RegValueExists(TRegRoot root, const std::string& key, const std::string& name, bool create);
// kRegInteger gives the signed 32-bit value as decimal text.
void ReadRegValue(TRegRoot root, const std::string& key, const std::string& name, int kind,
                  std::string& out, bool create);
void WriteRegValue(TRegRoot root, const std::string& key, const std::string& name, int kind,
                   const std::string& text, bool create);
// Deleting a missing value is not an error.
void DeleteRegValue(TRegRoot root, const std::string& key, const std::string& name, bool create);

} // namespace zorvic
