#pragma once

#include <libspectrum.h>

#include "base/result.h"

namespace kestrova {

// Every libspectrum function the adapter calls, each named as in the library
// without its "libspectrum_" prefix.
// clang-format off
#define KESTROVA_LIBSPECTRUM_FUNCTIONS(X)                                                        \
  X(init) X(identify_file_with_class) X(machine_name) X(malloc0_n) X(free)                       \
  X(snap_alloc) X(snap_free) X(snap_read) X(snap_write) X(snap_machine) X(snap_set_machine)      \
  X(snap_pages) X(snap_set_pages) X(snap_out_ula) X(snap_set_out_ula)                            \
  X(snap_out_128_memoryport) X(snap_set_out_128_memoryport)                                      \
  X(snap_bc) X(snap_set_bc) X(snap_de) X(snap_set_de) X(snap_hl) X(snap_set_hl)                  \
  X(snap_bc_) X(snap_set_bc_) X(snap_de_) X(snap_set_de_) X(snap_hl_) X(snap_set_hl_)            \
  X(snap_ix) X(snap_set_ix) X(snap_iy) X(snap_set_iy) X(snap_sp) X(snap_set_sp)                  \
  X(snap_pc) X(snap_set_pc) X(snap_a) X(snap_set_a) X(snap_f) X(snap_set_f)                      \
  X(snap_a_) X(snap_set_a_) X(snap_f_) X(snap_set_f_) X(snap_i) X(snap_set_i) X(snap_r)          \
  X(snap_set_r) X(snap_iff1) X(snap_set_iff1) X(snap_iff2) X(snap_set_iff2) X(snap_im)           \
  X(snap_set_im)
// clang-format on

// libspectrum as the adapter reaches it: opened on first use rather than
// linked, since loading it brings glib, gcrypt and the sound libraries
// along, which would cost every start of the tool and the window more than
// reading a .sna or .szx (which never needs it) takes.
struct LibspectrumLibrary {
#define KESTROVA_LIBSPECTRUM_POINTER(name) decltype(&::libspectrum_##name) name = nullptr;
  KESTROVA_LIBSPECTRUM_FUNCTIONS(KESTROVA_LIBSPECTRUM_POINTER)
#undef KESTROVA_LIBSPECTRUM_POINTER
  libspectrum_error_function_t* errorFunction = nullptr;
};

// The library, opened once by the first call (its init is the caller's);
// the reason, in every call, when it cannot be.
Result<const LibspectrumLibrary*> OpenLibspectrum();

}  // namespace kestrova
