#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows paths kept in stored data (INI files, database rows, settings) are
// never rewritten: other programs of the suite read them. They are mapped to
// Linux paths only when a file is opened.
//
// - Drive "X:" maps to the folder named by the environment variable
//   KVL_DRIVE_X (letter in upper case; an empty value counts as unset). Drive
//   "C:" falls back to the user's home folder, so "C:\DriveKVL\KVLAplic.ini"
//   is "~/DriveKVL/KVLAplic.ini". Any other drive without a variable is not
//   mapped: it does not exist.
// - "\" and "/" both separate components; "." is dropped and ".." steps back,
//   never above the drive's root (as on Windows).
// - Each component that does not exist under its exact name is matched
//   case-insensitively among the entries of its folder (accented letters of
//   Windows-1252 included); the first such component that matches nothing,
//   and everything after it, is kept as given (a name about to be created).
// - A trailing separator is kept.
// - A text that does not start with a drive letter and ":" is a Linux path
//   and passes unchanged. A network path ("\\server\share") names no drive
//   that can be mapped.
//
// Reads the environment and the file system; raises nothing.

// The Linux path of a stored path; nullopt when it names a drive (or network
// share) that is not mapped.
std::optional<std::string> mapWindowsPath(std::string_view stored);

// The Linux path the file functions open: mapWindowsPath's answer, or for an
// unmapped drive a path under "/dev/null/" (which can never exist nor be
// created, not even by root), such as "/dev/null/unmapped-drive-Q/dados.txt",
// so reading it finds nothing and writing it fails with the drive named in
// the error.
std::string localPath(std::string_view stored);

// The drive letter (upper case) of a stored path that starts with one, else
// '\0'.
char driveLetterOf(std::string_view stored);
