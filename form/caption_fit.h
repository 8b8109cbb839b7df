// How a label keeps its caption readable when the font in use does not fit the label, which
// the layout table sizes for the original face. Each window measures in its own font; the
// rules are decided here.
#pragma once

namespace zentavo {

// A caption wider than its label is cut at the label's edge, and the label's tooltip shows it
// whole. (A screen reader needs no help: a label's accessible name is its text.)
[[nodiscard]] constexpr bool CaptionIsCut(int caption_width, int label_width) {
  return caption_width > label_width;
}

enum class CaptionAnchor { Top, Bottom };

// A font whose line is taller than the label would lose its descenders at the bottom edge, so
// such a caption sits on the label's bottom: the room a font keeps above its capitals is what
// is cut instead.
[[nodiscard]] constexpr CaptionAnchor AnchorCaption(int line_height, int label_height) {
  return line_height > label_height ? CaptionAnchor::Bottom : CaptionAnchor::Top;
}

}  // namespace zentavo
