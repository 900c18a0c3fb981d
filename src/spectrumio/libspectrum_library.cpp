#include "spectrumio/libspectrum_library.h"

#include <dlfcn.h>

#include <string>

#ifndef KESTROVA_LIBSPECTRUM_SONAME
#define KESTROVA_LIBSPECTRUM_SONAME "libspectrum.so.8"
#endif

namespace kestrova {

namespace {

std::string DlError(const std::string& what) {
  const char* reason = dlerror();
  return what + (reason != nullptr ? std::string(": ") + reason : std::string());
}

template <typename Pointer>
bool Find(void* library, const char* name, Pointer& pointer, std::string& missing) {
  pointer = reinterpret_cast<Pointer>(dlsym(library, name));
  if (pointer == nullptr && missing.empty()) missing = name;
  return pointer != nullptr;
}

Result<const LibspectrumLibrary*> Load() {
  static LibspectrumLibrary functions;
  // Kept open for the program's life: the functions stay in use.
  void* library = dlopen(KESTROVA_LIBSPECTRUM_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return Error{DlError("libspectrum (" KESTROVA_LIBSPECTRUM_SONAME ") could not be loaded")};
  std::string missing;
#define KESTROVA_LIBSPECTRUM_FIND(name) Find(library, "libspectrum_" #name, functions.name, missing);
  KESTROVA_LIBSPECTRUM_FUNCTIONS(KESTROVA_LIBSPECTRUM_FIND)
#undef KESTROVA_LIBSPECTRUM_FIND
  Find(library, "libspectrum_error_function", functions.errorFunction, missing);
  if (!missing.empty()) return Error{"libspectrum (" KESTROVA_LIBSPECTRUM_SONAME ") lacks " + missing};
  return &functions;
}

}  // namespace

Result<const LibspectrumLibrary*> OpenLibspectrum() {
  static const Result<const LibspectrumLibrary*> opened = Load();
  return opened;
}

}  // namespace kestrova
