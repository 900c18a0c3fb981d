#pragma once

// The demo game loaded into an Editor, for the benchmarks that drive the
// Editor's handlers: file dialogs choose the demo, save dialogs are
// cancelled, input boxes take their defaults.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor.h"

namespace kestrova::bench {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadDemo() {
  std::ifstream in(std::filesystem::path(KESTROVA_DEMO_DIR) / "kestrova-demo.sna", std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

class DemoFile : public Files {
 public:
  bool Exists(const std::string&) override { return true; }
  Result<std::vector<std::uint8_t>> Read(const std::string&) override { return content_; }
  Outcome Write(const std::string&, std::span<const std::uint8_t>) override { return Error{"read only"}; }

 private:
  Bytes content_ = ReadDemo();
};

class ChooseTheDemo : public Ui {
 public:
  std::optional<std::string> OpenFile(const FileDialogRequest&) override { return "kestrova-demo.sna"; }
  std::optional<std::string> SaveFile(const FileDialogRequest&) override { return std::nullopt; }
  std::string InputBox(const InputBoxRequest& request) override { return request.defaultText; }
  MessageAnswer Message(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
    return MessageAnswer::Ok;
  }
  SaveChangesAnswer AskSaveChanges(const std::string&, const std::string&) override {
    return SaveChangesAnswer::Discard;
  }
};

struct LoadedDemo {
  DemoFile files;
  ChooseTheDemo ui;
  Editor editor{ui, files};
  LoadedDemo() { editor.LoadSnapshot(); }
};

// A plain refresh of the demo's level 1, the measure the other handlers are
// compared with.
inline void BM_Refresh(benchmark::State& state) {
  LoadedDemo demo;
  for (auto _ : state) {
    demo.editor.Refresh();
    benchmark::DoNotOptimize(demo.editor.MapView().Pixels().data());
  }
}

}  // namespace kestrova::bench
