// The words of the failure report, in English and Portuguese like the window; every front end
// shows these same texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "conversion.h"

namespace zentavo::failure_texts {

// A pasted text can be a megabyte long; the report quotes only its start.
inline constexpr std::size_t kQuotedCharacters = 40;

inline std::u16string Quote(std::u16string_view input) {
  if (input.size() <= kQuotedCharacters) return u"\u201C" + std::u16string(input) + u"\u201D";
  return u"\u201C" + std::u16string(input.substr(0, kQuotedCharacters)) + u"\u2026\u201D";
}

// Names the failure.
inline std::u16string ConversionSummary(ConversionFailure::Kind kind) {
  return kind == ConversionFailure::Kind::Overflow ? u"Overflow / Estouro"
                                                   : u"Invalid argument / Argumento inv\u00E1lido";
}

// What was typed and what is allowed.
inline std::u16string ConversionDetails(std::u16string_view input) {
  const std::u16string quoted = Quote(input);
  return quoted + u" is no character code: type a code from 0 to 255.\n" + quoted +
         u" n\u00E3o \u00E9 um c\u00F3digo de caractere: escreva um c\u00F3digo de 0 a 255.";
}

inline constexpr std::u16string_view kUnexpectedSummary = u"Unexpected failure / Falha inesperada";

inline std::u16string UnexpectedDetails(std::u16string_view what) {
  return std::u16string(what) + u"\n\nZentavo must close. / O Zentavo precisa fechar.";
}

}  // namespace zentavo::failure_texts
