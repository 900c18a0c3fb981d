// Loading the demo .sna and a 128K .szx through the Editor, as "Load
// Snapshot" does it (read, decode, set up, draw level 1), and the .szx
// decoding alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

#include "editor/editor.h"
#include "level/level_addresses.h"
#include "snapshot/sna.h"
#include "snapshot/szx_snapshot.h"
#include "snapshot/szx_writer.h"
#include "view_floor.h"

namespace kestrova {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadDemo(const char* name) {
  std::ifstream in(std::filesystem::path(KESTROVA_DEMO_DIR) / name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The 128K demo with its RAM filled with bytes that do not compress (the
// level area and the recognition bytes kept), so that the .szx is as large
// as a real game's and its length makes it a 128K snapshot.
Bytes Dense128KSzx() {
  SnapshotImage image(ReadDemo("kestrova-demo-128k.sna"));
  const SnapshotImage demo = image;
  std::uint32_t noise = 2024;
  for (std::size_t offset = kSnaHeaderSize; offset < kOffsetBank1 + kPageSize; ++offset) {
    if (offset >= kOffset128KPc && offset < kOffsetBank1) continue;
    noise = noise * 1103515245u + 12345u;
    image.WriteOffset(offset, static_cast<std::uint8_t>(noise >> 16));
  }
  for (std::uint32_t a : {kRecognitionAddress, kAlternateRecognitionAddress}) image.Write(a, demo.Read(a));
  for (std::uint32_t a = kLevelAreaStart; a <= kLevelAreaLast; ++a) image.Write(a, demo.Read(a));
  return BuildSzxFile(image, std::nullopt);
}

class OneFile : public Files {
 public:
  explicit OneFile(Bytes content) : content_(std::move(content)) {}
  bool Exists(const std::string&) override { return true; }
  Result<std::vector<std::uint8_t>> Read(const std::string&) override { return content_; }
  Outcome Write(const std::string&, std::span<const std::uint8_t>) override { return Error{"read only"}; }

 private:
  Bytes content_;
};

class AlwaysChoose : public Ui {
 public:
  explicit AlwaysChoose(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> OpenFile(const FileDialogRequest&) override { return path_; }
  std::optional<std::string> SaveFile(const FileDialogRequest&) override { return std::nullopt; }
  std::string InputBox(const InputBoxRequest& request) override { return request.defaultText; }
  MessageAnswer Message(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
    failed = true;
    return MessageAnswer::Ok;
  }
  SaveChangesAnswer AskSaveChanges(const std::string&, const std::string&) override {
    failed = true;
    return SaveChangesAnswer::Cancel;
  }
  bool failed = false;

 private:
  std::string path_;
};

void LoadThroughTheEditor(benchmark::State& state, const std::string& path, Bytes file, std::uint32_t size) {
  OneFile files(std::move(file));
  AlwaysChoose ui(path);
  Editor editor(ui, files);
  for (auto _ : state) {
    editor.LoadSnapshot();
    benchmark::DoNotOptimize(editor.Image().Bytes().data());
  }
  if (ui.failed || editor.Place().snapshotSize != size) state.SkipWithError("not loaded as expected");
}

void BM_LoadDemoSna(benchmark::State& state) {
  LoadThroughTheEditor(state, "kestrova-demo.sna", ReadDemo("kestrova-demo.sna"), kSnapshotSize48K);
}
BENCHMARK(BM_LoadDemoSna);

void BM_Load128KSzx(benchmark::State& state) {
  LoadThroughTheEditor(state, "dense-128k.szx", Dense128KSzx(), kSnapshotSize128K);
}
BENCHMARK(BM_Load128KSzx);

void BM_Decode128KSzx(benchmark::State& state) {
  const Bytes file = Dense128KSzx();
  const SnapshotImage held;
  for (auto _ : state) {
    auto load = ReadSzxSnapshot(file, held, {});
    benchmark::DoNotOptimize(load);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_Decode128KSzx);

}  // namespace
}  // namespace kestrova

BENCHMARK_MAIN();
