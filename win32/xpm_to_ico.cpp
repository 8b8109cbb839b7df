// Build tool: writes a Windows icon file holding the given XPM images as palette bitmaps,
// 4 bits per pixel for up to 16 colours, 1 bit for 2. Reads only the plain XPM form that the
// repository's icons use (one character per pixel, "c #RRGGBB" colours).
//   xpm_to_ico OUT.ico IMAGE.xpm...
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct PaletteImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::uint8_t> pixels;    // palette indexes, top row first
  int bits_per_pixel = 0;
};

std::vector<std::string> QuotedStrings(const std::string& text) {
  std::vector<std::string> strings;
  for (std::size_t open = text.find('"'); open != std::string::npos;) {
    const std::size_t close = text.find('"', open + 1);
    if (close == std::string::npos) throw std::runtime_error("unterminated string");
    strings.push_back(text.substr(open + 1, close - open - 1));
    open = text.find('"', close + 1);
  }
  return strings;
}

PaletteImage ReadXpm(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw std::runtime_error("cannot read " + path);
  const std::vector<std::string> strings =
      QuotedStrings(std::string(std::istreambuf_iterator<char>(file), {}));
  if (strings.empty()) throw std::runtime_error(path + ": no XPM header");

  PaletteImage image;
  int colours = 0;
  int characters_per_pixel = 0;
  std::istringstream(strings[0]) >> image.width >> image.height >> colours >> characters_per_pixel;
  if (characters_per_pixel != 1 || colours < 1 || colours > 16 || image.width <= 0 ||
      image.height <= 0 || strings.size() != 1u + colours + image.height) {
    throw std::runtime_error(path + ": not a one-character XPM of at most 16 colours");
  }
  std::map<char, std::uint8_t> index_of;
  for (int i = 0; i < colours; ++i) {
    const std::string& entry = strings[1 + i];
    const std::size_t hash = entry.find("c #");
    if (hash == std::string::npos) throw std::runtime_error(path + ": colour is not #RRGGBB");
    index_of[entry[0]] = static_cast<std::uint8_t>(i);
    image.palette.push_back(std::stoul(entry.substr(hash + 3, 6), nullptr, 16));
  }
  for (int y = 0; y < image.height; ++y) {
    const std::string& row = strings[1 + colours + y];
    if (static_cast<int>(row.size()) != image.width) throw std::runtime_error(path + ": short row");
    for (const char pixel : row) image.pixels.push_back(index_of.at(pixel));
  }
  image.bits_per_pixel = colours <= 2 ? 1 : 4;
  return image;
}

void Put16(std::string& out, unsigned value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// A rows-padded-to-4-bytes bitmap, bottom row first, as BMP and ICO store them.
std::string PackRows(const PaletteImage& image, int bits_per_pixel, bool mask) {
  const int stride = ((image.width * bits_per_pixel + 31) / 32) * 4;
  std::string rows;
  for (int y = image.height - 1; y >= 0; --y) {
    std::string row(static_cast<std::size_t>(stride), '\0');
    for (int x = 0; x < image.width; ++x) {
      const std::size_t pixel =
          static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
          static_cast<std::size_t>(x);
      const unsigned value = mask ? 0u : image.pixels[pixel];
      const int bit = x * bits_per_pixel;
      const int shift = 8 - bits_per_pixel - bit % 8;
      char& byte = row[static_cast<std::size_t>(bit / 8)];
      byte = static_cast<char>(static_cast<unsigned char>(byte) | (value << shift));
    }
    rows += row;
  }
  return rows;
}

std::string IconImage(const PaletteImage& image) {
  const std::string colours = PackRows(image, image.bits_per_pixel, false);
  const std::string opaque_mask = PackRows(image, 1, true);
  std::string out;
  Put32(out, 40);  // BITMAPINFOHEADER size
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height * 2));  // colour bitmap and mask
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(image.bits_per_pixel));
  Put32(out, 0);  // uncompressed
  Put32(out, static_cast<std::uint32_t>(colours.size() + opaque_mask.size()));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int i = 0; i < (1 << image.bits_per_pixel); ++i) {
    const std::uint32_t rgb = i < static_cast<int>(image.palette.size()) ? image.palette[i] : 0;
    Put32(out, rgb);  // stored as blue, green, red, 0: the little-endian 0x00RRGGBB
  }
  return out + colours + opaque_mask;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::cerr << "usage: xpm_to_ico OUT.ico IMAGE.xpm...\n";
    return 2;
  }
  try {
    std::vector<PaletteImage> images;
    for (int i = 2; i < argc; ++i) images.push_back(ReadXpm(argv[i]));

    std::string directory;
    Put16(directory, 0);
    Put16(directory, 1);  // icon
    Put16(directory, static_cast<unsigned>(images.size()));
    std::string data;
    std::size_t offset = 6 + 16 * images.size();
    for (const PaletteImage& image : images) {
      const std::string bitmap = IconImage(image);
      directory.push_back(static_cast<char>(image.width));
      directory.push_back(static_cast<char>(image.height));
      directory.push_back(static_cast<char>(1 << image.bits_per_pixel));
      directory.push_back('\0');
      Put16(directory, 1);
      Put16(directory, static_cast<unsigned>(image.bits_per_pixel));
      Put32(directory, static_cast<std::uint32_t>(bitmap.size()));
      Put32(directory, static_cast<std::uint32_t>(offset));
      offset += bitmap.size();
      data += bitmap;
    }
    std::ofstream(argv[1], std::ios::binary) << directory << data;
    return 0;
  } catch (const std::exception& failure) {
    std::cerr << "xpm_to_ico: " << failure.what() << '\n';
    return 1;
  }
}
