#include "input_checks.h"

#include <imm.h>

#include <cstring>

namespace zentavo {
namespace {

// Closed again however the reading ends, so no other program is left locked out of it.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  [[nodiscard]] bool is_open() const { return open_; }

 private:
  bool open_;
};

class LockedBlock {
 public:
  explicit LockedBlock(HANDLE block) : block_(block), start_(GlobalLock(block)) {}
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  ~LockedBlock() {
    if (start_ != nullptr) GlobalUnlock(block_);
  }
  [[nodiscard]] const void* get() const { return start_; }

 private:
  HANDLE block_;
  const void* start_;
};

}  // namespace

std::u16string TextWithinBlock(const void* block, std::size_t bytes) {
  std::u16string text(bytes / sizeof(char16_t), u'\0');
  if (!text.empty()) std::memcpy(text.data(), block, text.size() * sizeof(char16_t));
  text.resize(std::u16string_view(text.c_str()).size());  // up to the first terminator
  return text;
}

std::optional<std::u16string> ClipboardText(HWND owner) {
  const OpenedClipboard clipboard(owner);
  if (!clipboard.is_open()) return std::nullopt;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return std::nullopt;
  const LockedBlock block(data);
  if (block.get() == nullptr) return std::nullopt;
  return TextWithinBlock(block.get(), GlobalSize(data));
}

bool ClipboardHoldsText(HWND owner) {
  const OpenedClipboard clipboard(owner);
  if (!clipboard.is_open()) return false;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr || GlobalSize(data) < sizeof(char16_t)) return false;
  const LockedBlock block(data);
  return block.get() != nullptr && *static_cast<const char16_t*>(block.get()) != u'\0';
}

bool PutTextOnClipboard(HWND owner, std::u16string_view text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  if (block == nullptr) return false;
  if (auto* characters = static_cast<char16_t*>(GlobalLock(block))) {
    std::memcpy(characters, text.data(), text.size() * sizeof(char16_t));
    characters[text.size()] = u'\0';
    GlobalUnlock(block);
    const OpenedClipboard clipboard(owner);
    if (clipboard.is_open() && EmptyClipboard() &&
        SetClipboardData(CF_UNICODETEXT, block) != nullptr) {
      return true;  // the block is the system's now
    }
  }
  GlobalFree(block);
  return false;
}

std::optional<std::u16string> CompositionString(HIMC context,
                                                CompositionStringReader read_composition_string,
                                                DWORD which) {
  const LONG bytes = read_composition_string(context, which, nullptr, 0);
  if (bytes < 0) return std::nullopt;
  std::u16string result(static_cast<std::size_t>(bytes) / sizeof(char16_t), u'\0');
  const LONG room = static_cast<LONG>(result.size() * sizeof(char16_t));
  const LONG written =
      read_composition_string(context, which, result.data(), static_cast<DWORD>(room));
  if (written < 0 || written > room) return std::nullopt;
  result.resize(static_cast<std::size_t>(written) / sizeof(char16_t));
  return result;
}

}  // namespace zentavo
