// Reads the compiled Windows resources of Zentavo.exe (a .res file) and checks the version
// record and the icon, so a slip in the resource script shows on any platform.
#include <QImage>
#include <QImageReader>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "table_rows.h"
#include "version.h"

namespace zentavo {
namespace {

using ::zentavo::PrintTo;

class ByteReader {
 public:
  explicit ByteReader(const std::vector<std::uint8_t>& bytes, std::size_t begin = 0,
                      std::size_t end = std::string::npos)
      : bytes_(bytes), position_(begin), end_(std::min(end, bytes.size())) {}

  std::uint16_t Word() {
    Need(2);
    const auto value = static_cast<std::uint16_t>(bytes_[position_] | bytes_[position_ + 1] << 8);
    position_ += 2;
    return value;
  }
  std::uint32_t DoubleWord() {
    const std::uint32_t low = Word();
    return low | static_cast<std::uint32_t>(Word()) << 16;
  }
  std::u16string ZeroTerminated() {
    std::u16string text;
    for (char16_t c = Word(); c != 0; c = Word()) text.push_back(c);
    return text;
  }
  // A resource type or name: an ordinal after 0xFFFF, or a string.
  std::u16string IdOrName() {
    if (Peek() == 0xFFFF) {
      Word();
      return u"#" + QString::number(Word()).toStdU16String();
    }
    return ZeroTerminated();
  }
  void AlignTo4() { position_ = (position_ + 3) & ~std::size_t{3}; }
  void Skip(std::size_t count) {
    Need(count);
    position_ += count;
  }
  void Seek(std::size_t position) { position_ = position; }
  [[nodiscard]] std::uint16_t Peek() const { return ByteReader(*this).Word(); }
  [[nodiscard]] std::size_t Position() const { return position_; }
  [[nodiscard]] bool AtEnd() const { return position_ >= end_; }

 private:
  void Need(std::size_t count) const {
    if (position_ + count > end_) throw std::out_of_range("resource data ends early");
  }
  const std::vector<std::uint8_t>& bytes_;
  std::size_t position_;
  std::size_t end_;
};

struct Resource {
  std::u16string type;
  std::u16string name;
  std::vector<std::uint8_t> data;
};

std::vector<Resource> ReadResources(const char* path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(file), {});
  std::vector<Resource> resources;
  ByteReader reader(bytes);
  while (!reader.AtEnd()) {
    const std::size_t start = reader.Position();
    const std::uint32_t data_size = reader.DoubleWord();
    const std::uint32_t header_size = reader.DoubleWord();
    Resource resource;
    resource.type = reader.IdOrName();
    resource.name = reader.IdOrName();
    const std::size_t data_start = start + header_size;
    resource.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(data_start),
                         bytes.begin() + static_cast<std::ptrdiff_t>(data_start + data_size));
    if (data_size > 0) resources.push_back(std::move(resource));
    reader.Seek(data_start + data_size);
    reader.AlignTo4();
  }
  return resources;
}

// Flattens a VS_VERSIONINFO tree into "path/to/key" -> text value, and the fixed record.
void ReadVersionNode(const std::vector<std::uint8_t>& data, std::size_t begin,
                     const std::u16string& parent,
                     std::map<std::u16string, std::u16string>& strings,
                     std::vector<std::uint32_t>& fixed) {
  ByteReader reader(data, begin);
  const std::uint16_t length = reader.Word();
  const std::uint16_t value_length = reader.Word();
  const std::uint16_t is_text = reader.Word();
  const std::u16string key =
      parent.empty() ? reader.ZeroTerminated() : parent + u"/" + reader.ZeroTerminated();
  reader.AlignTo4();
  if (key == u"VS_VERSION_INFO") {
    for (int i = 0; i < value_length / 4; ++i) fixed.push_back(reader.DoubleWord());
  } else if (is_text == 1 && value_length > 0) {
    strings[key] = reader.ZeroTerminated();
  } else {
    reader.Skip(value_length);
  }
  reader.AlignTo4();
  while (reader.Position() < begin + length) {
    const std::size_t child = reader.Position();
    ReadVersionNode(data, child, key == u"VS_VERSION_INFO" ? u"" : key, strings, fixed);
    reader.Seek(child + ByteReader(data, child).Word());
    reader.AlignTo4();
  }
}

class CompiledResources : public testing::Test {
 protected:
  void SetUp() override {
    for (Resource& resource : ReadResources(ZENTAVO_RES_FILE)) {
      if (resource.type == u"#16") ReadVersionNode(resource.data, 0, u"", strings, fixed);
      if (resource.type == u"#14") ++icon_groups;
      if (resource.type == u"#3") ++icon_images;
    }
  }
  std::map<std::u16string, std::u16string> strings;
  std::vector<std::uint32_t> fixed;
  int icon_groups = 0;
  int icon_images = 0;
};

TEST_F(CompiledResources, FixedVersionRecordSaysTheProjectsVersionFor32BitWindowsApplication) {
  constexpr std::uint32_t kMajorMinor = ZENTAVO_VERSION_MAJOR << 16 | ZENTAVO_VERSION_MINOR;
  static_assert(kMajorMinor == 0x00010000u, "1.00 is version 1.0.0.0");
  ASSERT_EQ(fixed.size(), 13u);
  EXPECT_EQ(fixed[0], 0xFEEF04BDu);  // signature
  EXPECT_EQ(fixed[2], kMajorMinor);  // file version major.minor
  EXPECT_EQ(fixed[3], 0x00000000u);  //              .0.0
  EXPECT_EQ(fixed[4], kMajorMinor);  // product version
  EXPECT_EQ(fixed[5], 0x00000000u);
  EXPECT_EQ(fixed[8], 0x00000004u);  // VOS__WINDOWS32
  EXPECT_EQ(fixed[9], 0x00000001u);  // VFT_APP
}

TEST_F(CompiledResources, StringTableHoldsTheProductStrings) {
  const std::map<std::u16string, std::u16string> expected{
      {u"StringFileInfo/040904B0/CompanyName", u"Tolvek"},
      {u"StringFileInfo/040904B0/FileVersion", u"" ZENTAVO_VERSION},
      {u"StringFileInfo/040904B0/InternalName", u"Zentavo"},
      {u"StringFileInfo/040904B0/OriginalFilename", u"Zentavo.exe"},
      {u"StringFileInfo/040904B0/ProductName", u"Zentavo"},
      {u"StringFileInfo/040904B0/ProductVersion", u"" ZENTAVO_VERSION},
  };
  EXPECT_EQ(strings, expected);
}

// The sizes Windows shows an icon at, each drawn for itself, and the classic images' sizes: 32
// and 16 px in 16 colours, 32 px in 2.
const std::vector<int> kIconSizes = {16, 16, 20, 24, 32, 32, 32, 40, 48, 64, 256};

TEST_F(CompiledResources, CarryOneIconOfEverySizeWindowsShows) {
  EXPECT_EQ(icon_groups, 1);
  EXPECT_EQ(icon_images, static_cast<int>(kIconSizes.size()));
}

// Each image of the icon is its rendering of the drawing, or one of its classic images made from
// that rendering, pixel for pixel, transparency included.
TEST(WindowsIcon, EachImageIsTheDrawingRenderedAtItsSize) {
  QImageReader reader(QString::fromUtf8(ZENTAVO_ICO_FILE));
  ASSERT_EQ(reader.imageCount(), static_cast<int>(kIconSizes.size()));
  std::vector<int> sizes;
  for (int index = 0; index < reader.imageCount(); ++index) {
    ASSERT_TRUE(reader.jumpToImage(index));
    const QImage icon = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.width(), icon.height());
    sizes.push_back(icon.width());
    const QString stem =
        QString::fromUtf8(ZENTAVO_ICON_RENDERINGS "/") + QString::number(icon.width());
    const QImage rendering =
        QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(rendering.isNull()) << icon.width();
    bool found = icon == rendering;
    for (const char* colours : {"-16.png", "-2.png"}) {
      const QImage classic = QImage(stem + QString::fromUtf8(colours));
      found =
          found || (!classic.isNull() && icon == classic.convertToFormat(QImage::Format_ARGB32));
    }
    EXPECT_TRUE(found) << icon.width() << " px, image " << index;
  }
  std::sort(sizes.begin(), sizes.end());
  EXPECT_EQ(sizes, kIconSizes);
}

}  // namespace
}  // namespace zentavo
