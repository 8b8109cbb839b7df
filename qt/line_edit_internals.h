// The places the text boxes reach into the toolkit's line edit, where its public interface
// leaves a huge text slow; kept in this one file because they tie the build to the toolkit's
// exact version.
#pragma once

class QLineEdit;
class QStyleOptionFrame;

namespace zentavo {

// Lays out `box`'s text left to right from now on. The toolkit leaves the direction to be found
// from the text, and finding it scans for the first letter of a strong direction: through all
// of a text of digits and spaces, several times per keystroke. No Windows-1252 character is
// written right to left, so for any text the boxes hold the answer is the same.
void LayOutLeftToRight(QLineEdit& box);

// Paints `box`, whose frame is described by `panel`, as the toolkit's line edit paints itself,
// with two changes for long texts:
// - The toolkit measures the bounding rectangle of the whole text on every paint, only to centre
//   the line vertically: for 10 M characters a second complete layout beside the one the box
//   keeps, about a second and 340 MiB each time. Here the height comes from the font, the same
//   answer for any Windows-1252 text in the box's font.
// - The toolkit draws by visiting every glyph of the line, clipped or not. Here only the stretch
//   that shows is laid out and drawn, at the very places the box's layout gives it.
// The tests check the result pixel for pixel against the toolkit's own painting.
//
// Returns false, having painted nothing, where the box uses what this does not reproduce (side
// widgets, style sheets, a placeholder on show, an input mask, an input method's text being
// composed, right-to-left layout, a font that shapes); the toolkit's paintEvent is then the one
// to call.
bool PaintWithoutMeasuringWholeText(QLineEdit& box, const QStyleOptionFrame& panel);

// Whether PaintWithoutMeasuringWholeText would paint `box` as it is now.
[[nodiscard]] bool CanPaintWithoutMeasuringWholeText(const QLineEdit& box);

}  // namespace zentavo
