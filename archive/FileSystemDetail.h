#pragma once

#include "FileSystem.h"

// Shared between the portable and the platform halves of the file-system helper.
bool InjectedFailure();
bool InjectedReadFailure();
void CloseNativeQuietly(NativeFile& file);
void CloseFolderQuietly(NativeFolder& folder);
bool NamedTemporaryFilesOnly();
