#include "spectrumio/libspectrum_formats.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string_view>

#include "base/little_endian.h"
#include "snapshot/machine_state.h"
#include "snapshot/szx.h"
#include "snapshot/szx_writer.h"
#include "spectrumio/libspectrum_library.h"

namespace kestrova {

namespace {

struct FormatId {
  std::string_view extension;
  libspectrum_id_t id;
};
constexpr FormatId kFormatIds[] = {
    {".sna", LIBSPECTRUM_ID_SNAPSHOT_SNA},      {".szx", LIBSPECTRUM_ID_SNAPSHOT_SZX},
    {".z80", LIBSPECTRUM_ID_SNAPSHOT_Z80},      {".sp", LIBSPECTRUM_ID_SNAPSHOT_SP},
    {".snp", LIBSPECTRUM_ID_SNAPSHOT_SNP},      {".zxs", LIBSPECTRUM_ID_SNAPSHOT_ZXS},
    {".mgtsnp", LIBSPECTRUM_ID_SNAPSHOT_PLUSD},
};

libspectrum_id_t IdOf(std::string_view extension) {
  for (const FormatId& format : kFormatIds) {
    if (format.extension == extension) return format.id;
  }
  return LIBSPECTRUM_ID_UNKNOWN;
}

// The machines whose memory the editor's image holds.
struct MachineLayout {
  libspectrum_machine machine;
  bool is128K;
};
constexpr MachineLayout kReadMachines[] = {
    {LIBSPECTRUM_MACHINE_48, false},   {LIBSPECTRUM_MACHINE_48_NTSC, false}, {LIBSPECTRUM_MACHINE_128, true},
    {LIBSPECTRUM_MACHINE_PLUS2, true}, {LIBSPECTRUM_MACHINE_PENT, true},
};

// The register pairs between libspectrum and a "Z80R" block (AF with F first).
struct WordRegister {
  std::size_t z80r;
  decltype(&LibspectrumLibrary::snap_bc) get;
  decltype(&LibspectrumLibrary::snap_set_bc) set;
};
constexpr WordRegister kWordRegisters[] = {
    {kZ80rBC, &LibspectrumLibrary::snap_bc, &LibspectrumLibrary::snap_set_bc},
    {kZ80rDE, &LibspectrumLibrary::snap_de, &LibspectrumLibrary::snap_set_de},
    {kZ80rHL, &LibspectrumLibrary::snap_hl, &LibspectrumLibrary::snap_set_hl},
    {kZ80rBCAlt, &LibspectrumLibrary::snap_bc_, &LibspectrumLibrary::snap_set_bc_},
    {kZ80rDEAlt, &LibspectrumLibrary::snap_de_, &LibspectrumLibrary::snap_set_de_},
    {kZ80rHLAlt, &LibspectrumLibrary::snap_hl_, &LibspectrumLibrary::snap_set_hl_},
    {kZ80rIX, &LibspectrumLibrary::snap_ix, &LibspectrumLibrary::snap_set_ix},
    {kZ80rIY, &LibspectrumLibrary::snap_iy, &LibspectrumLibrary::snap_set_iy},
    {kZ80rSP, &LibspectrumLibrary::snap_sp, &LibspectrumLibrary::snap_set_sp},
    {kZ80rPC, &LibspectrumLibrary::snap_pc, &LibspectrumLibrary::snap_set_pc},
};
struct ByteRegister {
  std::size_t z80r;
  decltype(&LibspectrumLibrary::snap_a) get;
  decltype(&LibspectrumLibrary::snap_set_a) set;
};
constexpr ByteRegister kByteRegisters[] = {
    {kZ80rAF, &LibspectrumLibrary::snap_f, &LibspectrumLibrary::snap_set_f},
    {kZ80rAF + 1, &LibspectrumLibrary::snap_a, &LibspectrumLibrary::snap_set_a},
    {kZ80rAFAlt, &LibspectrumLibrary::snap_f_, &LibspectrumLibrary::snap_set_f_},
    {kZ80rAFAlt + 1, &LibspectrumLibrary::snap_a_, &LibspectrumLibrary::snap_set_a_},
    {kZ80rI, &LibspectrumLibrary::snap_i, &LibspectrumLibrary::snap_set_i},
    {kZ80rR, &LibspectrumLibrary::snap_r, &LibspectrumLibrary::snap_set_r},
    {kZ80rIFF1, &LibspectrumLibrary::snap_iff1, &LibspectrumLibrary::snap_set_iff1},
    {kZ80rIFF2, &LibspectrumLibrary::snap_iff2, &LibspectrumLibrary::snap_set_iff2},
    {kZ80rIM, &LibspectrumLibrary::snap_im, &LibspectrumLibrary::snap_set_im},
};

// libspectrum reports through one global function; its last message becomes
// the reason a read or write was refused, instead of a line on stderr.
std::string& LastLibspectrumMessage() {
  static std::string message;
  return message;
}

libspectrum_error KeepMessage(libspectrum_error error, const char* format, va_list arguments) {
  char text[512];
  std::vsnprintf(text, sizeof text, format, arguments);
  LastLibspectrumMessage() = text;
  return error;
}

// The library with its messages kept, set up by the first read or write.
Result<const LibspectrumLibrary*> Libspectrum() {
  static const Result<const LibspectrumLibrary*> ready = [] {
    Result<const LibspectrumLibrary*> library = OpenLibspectrum();
    if (library) {
      *(*library)->errorFunction = KeepMessage;
      (*library)->init();
    }
    return library;
  }();
  return ready;
}

struct SnapFree {
  const LibspectrumLibrary* library;
  void operator()(libspectrum_snap* snap) const { library->snap_free(snap); }
};
using Snap = std::unique_ptr<libspectrum_snap, SnapFree>;

Snap NewSnap(const LibspectrumLibrary& library) { return Snap(library.snap_alloc(), SnapFree{&library}); }

std::string Refusal(const std::string& what) {
  const std::string& reason = LastLibspectrumMessage();
  return reason.empty() ? what : what + ": " + reason;
}

MachineState StateOfSnap(const LibspectrumLibrary& library, libspectrum_snap* snap, bool is128K) {
  MachineState state;
  state.is128K = is128K;
  std::uint8_t* z80r = state.blocks.z80r.data();
  for (const WordRegister& field : kWordRegisters) {
    WriteLe16(z80r + field.z80r, (library.*field.get)(snap));
  }
  for (const ByteRegister& field : kByteRegisters) z80r[field.z80r] = (library.*field.get)(snap);
  state.blocks.spcr[kSpcrBorder] = library.snap_out_ula(snap) & 0x07;
  state.blocks.spcr[kSpcrPort7FFD] = is128K ? library.snap_out_128_memoryport(snap) : 0;
  state.blocks.port7FFD = state.blocks.spcr[kSpcrPort7FFD];
  for (std::size_t bank = 0; bank < kRamBankCount; ++bank) {
    const libspectrum_byte* page = library.snap_pages(snap, static_cast<int>(bank));
    if (page != nullptr) state.banks[bank] = std::span<const std::uint8_t>(page, kPageSize);
  }
  // A 48K image takes banks 5, 2 and 0 only: the builder passes over any other.
  return state;
}

void PutStateInSnap(const LibspectrumLibrary& library, const SnapshotImage& image, libspectrum_snap* snap) {
  const KeptSzxBlocks blocks = SzxBlocksOfImage(image);
  const std::uint8_t* z80r = blocks.z80r.data();
  for (const WordRegister& field : kWordRegisters) (library.*field.set)(snap, ReadLe16(z80r + field.z80r));
  for (const ByteRegister& field : kByteRegisters) (library.*field.set)(snap, z80r[field.z80r]);
  library.snap_set_out_ula(snap, blocks.spcr[kSpcrBorder]);
  const bool is128K = image.Size() == kSnapshotSize128K;
  library.snap_set_machine(snap, is128K ? LIBSPECTRUM_MACHINE_128 : LIBSPECTRUM_MACHINE_48);
  if (is128K) library.snap_set_out_128_memoryport(snap, blocks.spcr[kSpcrPort7FFD]);
  for (const std::uint8_t bank : BanksOf(image)) {
    const std::span<const std::uint8_t> held = BankBytes(image, bank);
    auto* page = static_cast<libspectrum_byte*>(library.malloc0_n(kPageSize, sizeof(libspectrum_byte)));
    std::copy(held.begin(), held.end(), page);
    library.snap_set_pages(snap, bank, page);  // the snap frees it
  }
}

// The format a name's extension claims, for a file the library could not judge.
std::string FormatByName(const std::string& name) {
  for (const FormatId& format : kFormatIds) {
    const std::string_view extension = format.extension;
    if (name.size() > extension.size() &&
        std::equal(extension.rbegin(), extension.rend(), name.rbegin(),
                   [](char wanted, char given) { return wanted == std::tolower(static_cast<unsigned char>(given)); }))
      return std::string(extension);
  }
  return {};
}

}  // namespace

std::string LibspectrumFormats::Identify(std::span<const std::uint8_t> file, const std::string& name) {
  const Result<const LibspectrumLibrary*> library = Libspectrum();
  // Without the library the name decides, and the read then says why it fails.
  if (!library) return FormatByName(name);
  libspectrum_id_t id = LIBSPECTRUM_ID_UNKNOWN;
  libspectrum_class_t kind = LIBSPECTRUM_CLASS_UNKNOWN;
  if ((*library)->identify_file_with_class(&id, &kind, name.c_str(), file.data(), file.size()) !=
          LIBSPECTRUM_ERROR_NONE ||
      kind != LIBSPECTRUM_CLASS_SNAPSHOT) {
    return {};
  }
  for (const FormatId& format : kFormatIds) {
    if (format.id == id) return std::string(format.extension);
  }
  return {};
}

Result<SnapshotImage> LibspectrumFormats::Read(std::span<const std::uint8_t> file, const std::string& format) {
  const libspectrum_id_t id = IdOf(format);
  if (id == LIBSPECTRUM_ID_UNKNOWN)
    return Error{std::string(kSzxLoadErrorText) + "\nlibspectrum reads no " + format + " snapshots."};
  const Result<const LibspectrumLibrary*> opened = Libspectrum();
  if (!opened) return Error{std::string(kSzxLoadErrorText) + "\n" + opened.ErrorMessage() + "."};
  const LibspectrumLibrary& library = **opened;
  Snap snap = NewSnap(library);
  LastLibspectrumMessage().clear();
  if (library.snap_read(snap.get(), file.data(), file.size(), id, nullptr) != LIBSPECTRUM_ERROR_NONE) {
    return Error{Refusal(std::string(kSzxLoadErrorText) + "\nThe " + format + " snapshot could not be read")};
  }
  const libspectrum_machine machine = library.snap_machine(snap.get());
  const auto layout = std::ranges::find(kReadMachines, machine, &MachineLayout::machine);
  if (layout == std::end(kReadMachines)) {
    return Error{std::string("The snapshot is of a ") + library.machine_name(machine) +
                 "; the editor reads snapshots of a Spectrum 48K, 128K or +2."};
  }
  return ImageFromMachineState(StateOfSnap(library, snap.get(), layout->is128K));
}

Result<std::vector<std::uint8_t>> LibspectrumFormats::Write(const SnapshotImage& image, const std::string& format) {
  const libspectrum_id_t id = IdOf(format);
  if (id != LIBSPECTRUM_ID_SNAPSHOT_Z80) return Error{"The editor writes no " + format + " snapshots."};
  const Result<const LibspectrumLibrary*> opened = Libspectrum();
  if (!opened) return Error{"The " + format + " snapshot could not be written: " + opened.ErrorMessage()};
  const LibspectrumLibrary& library = **opened;
  Snap snap = NewSnap(library);
  PutStateInSnap(library, image, snap.get());
  libspectrum_byte* buffer = nullptr;
  size_t length = 0;
  int lost = 0;
  LastLibspectrumMessage().clear();
  if (library.snap_write(&buffer, &length, &lost, snap.get(), id, nullptr, 0) != LIBSPECTRUM_ERROR_NONE) {
    library.free(buffer);
    return Error{Refusal("The " + format + " snapshot could not be written")};
  }
  std::vector<std::uint8_t> bytes(buffer, buffer + length);
  library.free(buffer);
  return bytes;
}

}  // namespace kestrova
