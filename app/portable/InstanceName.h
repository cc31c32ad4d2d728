#pragma once
// The name of the object through which copies of the program started for the same list
// file find each other. Object names cannot hold backslashes and are compared exactly, so
// the name is a hash of the list file's path as Windows compares file names: full, long
// and upper-cased by the caller, without a long-path prefix (WithoutLongPathPrefix), so that
// both spellings give one name. The names live in the user's logon session.
#include "app/portable/PathRules.h"

#include <string>
#include <string_view>

// "Local\Kestrovane1." followed by 16 hexadecimal digits of the path's hash.
std::string InstanceObjectName(std::u16string_view normalisedPath);
