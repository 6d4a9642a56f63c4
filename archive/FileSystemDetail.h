#pragma once

#include "FileSystem.h"

// Shared between the portable and the platform halves of the file-system helper.
bool InjectedFailure();
bool InjectedReadFailure();
void CloseNativeQuietly(NativeFile& file);
void CloseFolderQuietly(NativeFolder& folder);
bool NamedTemporaryFilesOnly();
// path as the beginning of the paths inside it: with a trailing separator, "" for the current
// folder.
std::string FolderPrefix(const std::string& path);
