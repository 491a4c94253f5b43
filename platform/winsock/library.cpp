#include "platform/winsock/library.h"

#include <cerrno>
#include <dlfcn.h>
#include <filesystem>
#include <unistd.h>

namespace platform {

namespace {
std::filesystem::path ProgramFolder() {
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
}
} // namespace

LibraryHandle loadLibrary(const std::string& fileName, int& error) {
    const std::string path = (ProgramFolder() / fileName).string();
    if (::access(path.c_str(), R_OK) != 0) {
        error = errno;
        return nullptr;
    }
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        error = ENOEXEC;
    return library;
}

void* librarySymbol(LibraryHandle library, const std::string& name, int& error) {
    void* address = library ? ::dlsym(library, name.c_str()) : nullptr;
    if (!address)
        error = ENOSYS;
    return address;
}

void freeLibrary(LibraryHandle library) {
    if (library)
        ::dlclose(library);
}

} // namespace platform
