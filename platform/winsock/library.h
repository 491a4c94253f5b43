#pragma once
// Shared libraries of the program's own, loaded from the folder of the running program.

#include <string>

namespace platform {

using LibraryHandle = void*;

// Loads fileName from the program's folder. On failure returns nullptr and sets error to the
// errno of the failure: ENOENT when there is no such file, EACCES when it cannot be read,
// ENOEXEC when it is not a loadable library.
LibraryHandle loadLibrary(const std::string& fileName, int& error);
// Address of an exported name; nullptr with error ENOSYS when the library has none.
void* librarySymbol(LibraryHandle library, const std::string& name, int& error);
void freeLibrary(LibraryHandle library);

} // namespace platform
