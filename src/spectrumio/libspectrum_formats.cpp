#include "spectrumio/libspectrum_formats.h"

#include <libspectrum.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string_view>

#include "base/little_endian.h"
#include "snapshot/machine_state.h"
#include "snapshot/szx.h"
#include "snapshot/szx_writer.h"

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
  libspectrum_word (*get)(libspectrum_snap*);
  void (*set)(libspectrum_snap*, libspectrum_word);
};
constexpr WordRegister kWordRegisters[] = {
    {kZ80rBC, libspectrum_snap_bc, libspectrum_snap_set_bc},
    {kZ80rDE, libspectrum_snap_de, libspectrum_snap_set_de},
    {kZ80rHL, libspectrum_snap_hl, libspectrum_snap_set_hl},
    {kZ80rBCAlt, libspectrum_snap_bc_, libspectrum_snap_set_bc_},
    {kZ80rDEAlt, libspectrum_snap_de_, libspectrum_snap_set_de_},
    {kZ80rHLAlt, libspectrum_snap_hl_, libspectrum_snap_set_hl_},
    {kZ80rIX, libspectrum_snap_ix, libspectrum_snap_set_ix},
    {kZ80rIY, libspectrum_snap_iy, libspectrum_snap_set_iy},
    {kZ80rSP, libspectrum_snap_sp, libspectrum_snap_set_sp},
    {kZ80rPC, libspectrum_snap_pc, libspectrum_snap_set_pc},
};
struct ByteRegister {
  std::size_t z80r;
  libspectrum_byte (*get)(libspectrum_snap*);
  void (*set)(libspectrum_snap*, libspectrum_byte);
};
constexpr ByteRegister kByteRegisters[] = {
    {kZ80rAF, libspectrum_snap_f, libspectrum_snap_set_f},
    {kZ80rAF + 1, libspectrum_snap_a, libspectrum_snap_set_a},
    {kZ80rAFAlt, libspectrum_snap_f_, libspectrum_snap_set_f_},
    {kZ80rAFAlt + 1, libspectrum_snap_a_, libspectrum_snap_set_a_},
    {kZ80rI, libspectrum_snap_i, libspectrum_snap_set_i},
    {kZ80rR, libspectrum_snap_r, libspectrum_snap_set_r},
    {kZ80rIFF1, libspectrum_snap_iff1, libspectrum_snap_set_iff1},
    {kZ80rIFF2, libspectrum_snap_iff2, libspectrum_snap_set_iff2},
    {kZ80rIM, libspectrum_snap_im, libspectrum_snap_set_im},
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

struct SnapFree {
  void operator()(libspectrum_snap* snap) const { libspectrum_snap_free(snap); }
};
using Snap = std::unique_ptr<libspectrum_snap, SnapFree>;

std::string Refusal(const std::string& what) {
  const std::string& reason = LastLibspectrumMessage();
  return reason.empty() ? what : what + ": " + reason;
}

MachineState StateOfSnap(libspectrum_snap* snap, bool is128K) {
  MachineState state;
  state.is128K = is128K;
  std::uint8_t* z80r = state.blocks.z80r.data();
  for (const WordRegister& field : kWordRegisters) {
    WriteLe16(z80r + field.z80r, field.get(snap));
  }
  for (const ByteRegister& field : kByteRegisters) z80r[field.z80r] = field.get(snap);
  state.blocks.spcr[kSpcrBorder] = libspectrum_snap_out_ula(snap) & 0x07;
  state.blocks.spcr[kSpcrPort7FFD] = is128K ? libspectrum_snap_out_128_memoryport(snap) : 0;
  state.blocks.port7FFD = state.blocks.spcr[kSpcrPort7FFD];
  for (std::size_t bank = 0; bank < kRamBankCount; ++bank) {
    const libspectrum_byte* page = libspectrum_snap_pages(snap, static_cast<int>(bank));
    if (page != nullptr) state.banks[bank] = std::span<const std::uint8_t>(page, kPageSize);
  }
  // A 48K image takes banks 5, 2 and 0 only: the builder passes over any other.
  return state;
}

void PutStateInSnap(const SnapshotImage& image, libspectrum_snap* snap) {
  const KeptSzxBlocks blocks = SzxBlocksOfImage(image);
  const std::uint8_t* z80r = blocks.z80r.data();
  for (const WordRegister& field : kWordRegisters) field.set(snap, ReadLe16(z80r + field.z80r));
  for (const ByteRegister& field : kByteRegisters) field.set(snap, z80r[field.z80r]);
  libspectrum_snap_set_out_ula(snap, blocks.spcr[kSpcrBorder]);
  const bool is128K = image.Size() == kSnapshotSize128K;
  libspectrum_snap_set_machine(snap, is128K ? LIBSPECTRUM_MACHINE_128 : LIBSPECTRUM_MACHINE_48);
  if (is128K) libspectrum_snap_set_out_128_memoryport(snap, blocks.spcr[kSpcrPort7FFD]);
  for (const std::uint8_t bank : BanksOf(image)) {
    const std::span<const std::uint8_t> held = BankBytes(image, bank);
    libspectrum_byte* page = libspectrum_new0(libspectrum_byte, kPageSize);
    std::copy(held.begin(), held.end(), page);
    libspectrum_snap_set_pages(snap, bank, page);  // the snap frees it
  }
}

}  // namespace

LibspectrumFormats::LibspectrumFormats() {
  static const bool ready = [] {
    libspectrum_error_function = KeepMessage;
    libspectrum_init();
    return true;
  }();
  (void)ready;
}

std::string LibspectrumFormats::Identify(std::span<const std::uint8_t> file, const std::string& name) {
  libspectrum_id_t id = LIBSPECTRUM_ID_UNKNOWN;
  libspectrum_class_t kind = LIBSPECTRUM_CLASS_UNKNOWN;
  if (libspectrum_identify_file_with_class(&id, &kind, name.c_str(), file.data(), file.size()) !=
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
  Snap snap(libspectrum_snap_alloc());
  LastLibspectrumMessage().clear();
  if (libspectrum_snap_read(snap.get(), file.data(), file.size(), id, nullptr) != LIBSPECTRUM_ERROR_NONE) {
    return Error{Refusal(std::string(kSzxLoadErrorText) + "\nThe " + format + " snapshot could not be read")};
  }
  const libspectrum_machine machine = libspectrum_snap_machine(snap.get());
  const auto layout = std::ranges::find(kReadMachines, machine, &MachineLayout::machine);
  if (layout == std::end(kReadMachines)) {
    return Error{std::string("The snapshot is of a ") + libspectrum_machine_name(machine) +
                 "; the editor reads snapshots of a Spectrum 48K, 128K or +2."};
  }
  return ImageFromMachineState(StateOfSnap(snap.get(), layout->is128K));
}

Result<std::vector<std::uint8_t>> LibspectrumFormats::Write(const SnapshotImage& image, const std::string& format) {
  const libspectrum_id_t id = IdOf(format);
  if (id != LIBSPECTRUM_ID_SNAPSHOT_Z80) return Error{"The editor writes no " + format + " snapshots."};
  Snap snap(libspectrum_snap_alloc());
  PutStateInSnap(image, snap.get());
  libspectrum_byte* buffer = nullptr;
  size_t length = 0;
  int lost = 0;
  LastLibspectrumMessage().clear();
  if (libspectrum_snap_write(&buffer, &length, &lost, snap.get(), id, nullptr, 0) != LIBSPECTRUM_ERROR_NONE) {
    libspectrum_free(buffer);
    return Error{Refusal("The " + format + " snapshot could not be written")};
  }
  std::vector<std::uint8_t> bytes(buffer, buffer + length);
  libspectrum_free(buffer);
  return bytes;
}

}  // namespace kestrova
