// The window's four text boxes as texts in memory, for tests of the handlers and of the rules
// that read boxes, with a log of every access.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "handlers.h"

namespace zentavo::testing_support {

// Starts as the window does: the input boxes empty, the output boxes showing their names.
class BoxesInMemory : public TextBoxAccess {
 public:
  std::u16string ReadText(std::string_view box) const override {
    reads.emplace_back(box);
    return texts.at(std::string(box));
  }
  void ReplaceText(std::string_view box, std::u16string_view text) override {
    writes.emplace_back(box);
    texts.at(std::string(box)) = text;
  }

  std::map<std::string, std::u16string> texts{{"txtDeASCII", u""},
                                              {"txtParaCar", u"txtParaCar"},
                                              {"txtDeCar", u""},
                                              {"txtParaASCII", u"txtParaASCII"}};
  mutable std::vector<std::string> reads;
  std::vector<std::string> writes;
};

}  // namespace zentavo::testing_support
