// The tool writes its JSON and its PNGs itself, without Qt. Qt's own JSON
// writer (what the tool printed before) and Qt's PNG reader (libpng) judge
// what it writes: the same bytes, the same pixels.
#include <unistd.h>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "cli/json_output.h"
#include "qtio/qt_strings.h"
#include "support/cli_run.h"
#include "support/png_image.h"

namespace kestrova::testing {
namespace {

namespace fs = std::filesystem;
using cli::Json;

const std::string kDemoDir = KESTROVA_DEMO_DIR;

class ToolOutputs : public ::testing::Test {
 protected:
  fs::path folder = fs::temp_directory_path() / ("kestrova-outputs-test-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(folder); }
  void TearDown() override { fs::remove_all(folder); }
};

std::string QtCompact(const QJsonDocument& document) { return document.toJson(QJsonDocument::Compact).toStdString(); }

// Every byte value alone and in the company of the others: controls, the
// quote and backslash, DEL, well-formed UTF-8 of each length, a byte order
// mark at the start and inside, and broken UTF-8 of every kind (stray
// continuation, truncated, overlong, surrogate, past U+10FFFF).
TEST(ToolJson, TextIsWrittenAsQtsJsonWroteIt) {
  std::vector<std::string> texts;
  for (int byte = 1; byte < 256; ++byte) texts.push_back(std::string(1, static_cast<char>(byte)) + "x");
  texts.insert(texts.end(), {"", "plain", "q\"b\\s/\x7F", "\xC3\xA9\xE2\x80\xA8\xF0\x9F\x98\x80", "\xEF\xBB\xBFstart",
                             "in\xEF\xBB\xBFside", "\xE2\x80x", "a\xE2\x80", "\xC0\x80", "\xED\xA0\x80",
                             "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xF0\x9F\x98", "\x80\x80"});
  for (const std::string& text : texts) {
    const std::string ours = Json::Object({{"k", Json::Text(text)}}).Written();
    EXPECT_EQ(ours, QtCompact(QJsonDocument(QJsonObject{{"k", Q(text)}}))) << EscapedUtf8(text);
  }
}

TEST(ToolJson, FieldsComeInQtsOrderAndNumbersAsQtWroteThem) {
  const Json ours = Json::Object({{"zeta", Json::Number(1)},
                                  {"Alpha", Json::Number(-5)},
                                  {"_u", Json::Array({Json::Number(4294967295), Json::Bool(false)})},
                                  {"alpha", Json::Bool(true)},
                                  {"a1", Json::Object({})},
                                  {"arr", Json::Array({})},
                                  {"b", Json::Null()},
                                  {"inB", Json::Number(0)},
                                  {"inA", Json::Number(-2147483648)}});
  const QJsonObject qt{{"zeta", 1},
                       {"Alpha", -5},
                       {"_u", QJsonArray{static_cast<qint64>(4294967295), false}},
                       {"alpha", true},
                       {"a1", QJsonObject{}},
                       {"arr", QJsonArray{}},
                       {"b", QJsonValue()},
                       {"inB", 0},
                       {"inA", static_cast<qint64>(-2147483648)}};
  EXPECT_EQ(ours.Written(), QtCompact(QJsonDocument(qt)));
}

// Each JSON output, on the demo and on a file whose name holds a quote, a
// backslash, control characters and non-ASCII letters, is the document
// Qt's writer makes of it.
TEST_F(ToolOutputs, EveryJsonOutputIsQtsCompactForm) {
  const std::string strange = "q\"b\\s\x01\x1F\t\xC3\xA9.sna";
  fs::copy_file(kDemoDir + "/kestrova-demo.sna", folder / strange);
  const std::vector<std::vector<std::string>> runs = {
      {"info", kDemoDir + "/kestrova-demo-128k.szx", "--json"},
      {"list", kDemoDir + "/kestrova-demo.sna", "--json"},
      {"list", strange, "--json", "--level", "2"},
      {"check", strange, "--json"},
      {"diff", kDemoDir + "/kestrova-demo.sna", kDemoDir + "/kestrova-demo-128k.sna", "--json"},
      {"diff", strange, kDemoDir + "/kestrova-demo.szx", "--json"},
  };
  for (const std::vector<std::string>& arguments : runs) {
    const CliOutcome run = RunKestrova(folder, arguments);
    ASSERT_LE(run.status, 1) << arguments[0] << ": " << run.err;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << arguments[0] << ": " << error.errorString().toStdString();
    EXPECT_EQ(run.out, QtCompact(document) + "\n") << arguments[0] << " " << EscapedUtf8(arguments[1]);
  }
}

// The map view, the whole level and a scaled view (16 colours at most) are
// written colour-indexed; libpng through QImage reads the same pixels from
// them and from the overview as the tests' own reader.
TEST_F(ToolOutputs, PngsDecodeToTheSamePixelsThroughLibpng) {
  const std::vector<std::string> pictures = {"map.png", "overview.png", "whole.png", "scaled.png"};
  ASSERT_EQ(RunKestrova(folder, {"render", kDemoDir + "/kestrova-demo.sna", "--level", "3", "--land-space", "--png",
                                 "map.png", "--overview", "overview.png", "--whole", "whole.png"})
                .status,
            0);
  ASSERT_EQ(RunKestrova(folder, {"render", kDemoDir + "/kestrova-demo.sna", "--scale", "3", "-o", "scaled.png"}).status,
            0);
  for (const std::string& name : pictures) {
    const std::vector<std::uint8_t> file = ReadWholeFile(folder / name);
    const std::optional<TopDownPicture> ours = DecodePng(file);
    ASSERT_TRUE(ours) << name;
    QImage image;
    ASSERT_TRUE(image.loadFromData(file.data(), static_cast<int>(file.size()), "PNG")) << name;
    image = image.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.width(), ours->width) << name;
    ASSERT_EQ(image.height(), ours->height) << name;
    int differing = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) differing += (image.pixel(x, y) & 0xFFFFFF) != ours->At(x, y);
    }
    EXPECT_EQ(differing, 0) << name;
    // The Spectrum's pictures are colour-indexed; the overview's averaged
    // colours may be too many for a palette.
    if (name != "overview.png") {
      EXPECT_EQ(file.at(25), 3) << name;
    }
  }
}

}  // namespace
}  // namespace kestrova::testing
