# Writes the names of the 256 Windows-1252 characters, as the Unicode Character Database gives
# them, into a C++ table indexed by code. Run as
#   cmake -DCODE_PAGE_SOURCE=windows1252.cpp -DUNICODE_DATA_DIR=/usr/share/unicode -DOUTPUT=x.inc -P this
# The code page is read from its one definition, the table in windows1252.cpp, so the two cannot
# drift apart. A character's name is its Unicode name. A control character has none: it gets its
# first control alias from NameAliases.txt, in the longer form of its Unicode 1.0 name where that
# only adds the abbreviation ("LINE FEED" becomes "LINE FEED (LF)"). The 1.0 name is not taken
# alone, as some now name other characters ("BELL" is U+1F514; U+0007 is ALERT). The
# abbreviation is the first "abbreviation" alias ("LF", "NBSP"), if any.
cmake_minimum_required(VERSION 3.25)

foreach(file UnicodeData.txt NameAliases.txt)
  if(NOT EXISTS "${UNICODE_DATA_DIR}/${file}")
    message(FATAL_ERROR "${UNICODE_DATA_DIR}/${file} is missing: install Debian's unicode-data "
                        "package, or point ZENTAVO_UNICODE_DATA_DIR at the Unicode data files.")
  endif()
endforeach()

file(READ "${CODE_PAGE_SOURCE}" source)
string(REGEX MATCH "kCharacterForCode = {([^}]*)}" table "${source}")
string(REGEX REPLACE "/\\*[^*]*\\*/" "" table "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "0x[0-9A-F][0-9A-F][0-9A-F][0-9A-F]" code_points "${table}")
list(LENGTH code_points count)
if(NOT count EQUAL 256)
  message(FATAL_ERROR "Found ${count} code points in the table of ${CODE_PAGE_SOURCE}, not 256")
endif()
foreach(code_point IN LISTS code_points)
  string(SUBSTRING "${code_point}" 2 4 hex)
  set(wanted_${hex} TRUE)
endforeach()

# Every code point of the code page lies below U+2200, in the first few thousand lines.
file(STRINGS "${UNICODE_DATA_DIR}/UnicodeData.txt" records REGEX "^(0[0-2]|2[01])[0-9A-F][0-9A-F];")
foreach(record IN LISTS records)
  string(SUBSTRING "${record}" 0 4 hex)
  if(NOT wanted_${hex})
    continue()
  endif()
  string(REPLACE ";" "|" fields "${record}")  # CMake lists are ';'-separated
  string(REPLACE "|" ";" fields "${fields}")
  list(GET fields 1 name)
  list(GET fields 10 unicode1_name)
  if(name STREQUAL "<control>")
    set(name "")
    set(unicode1_name_${hex} "${unicode1_name}")
  endif()
  set(name_${hex} "${name}")
endforeach()

file(STRINGS "${UNICODE_DATA_DIR}/NameAliases.txt" aliases REGEX "^(0[0-2]|2[01])[0-9A-F][0-9A-F];")
foreach(alias_record IN LISTS aliases)
  string(REPLACE ";" "|" alias_record "${alias_record}")
  string(REGEX MATCH "^([0-9A-F]+)\\|([^|]+)\\|([a-z]+)" _ "${alias_record}")
  set(hex "${CMAKE_MATCH_1}")
  set(alias "${CMAKE_MATCH_2}")
  set(type "${CMAKE_MATCH_3}")
  if(NOT wanted_${hex})
    continue()
  endif()
  if(type STREQUAL "correction")
    set(name_${hex} "${alias}")
  elseif((type STREQUAL "control" OR type STREQUAL "figment") AND "${name_${hex}}" STREQUAL "")
    string(FIND "${unicode1_name_${hex}}" "${alias} (" position)
    if(position EQUAL 0)
      set(name_${hex} "${unicode1_name_${hex}}")
    else()
      set(name_${hex} "${alias}")
    endif()
  elseif(type STREQUAL "abbreviation" AND NOT DEFINED abbreviation_${hex})
    set(abbreviation_${hex} "${alias}")
  endif()
endforeach()

# The names are kept in one string, each row giving where its two lie in it: a table of
# offsets needs no relocation as the program loads, where a table of pointers would need one
# for every name.
set(text "")
set(rows "")
set(code 0)
set(at 0)
foreach(code_point IN LISTS code_points)
  string(SUBSTRING "${code_point}" 2 4 hex)
  if("${name_${hex}}" STREQUAL "")
    message(FATAL_ERROR "The Unicode data files give no name for U+${hex}")
  endif()
  string(LENGTH "${name_${hex}}" name_length)
  string(LENGTH "${abbreviation_${hex}}" abbreviation_length)
  math(EXPR abbreviation_at "${at} + ${name_length}")
  string(APPEND text "    \"${name_${hex}}${abbreviation_${hex}}\"\n")
  string(APPEND rows "    /* ${code} */ {${at}, ${name_length}, ${abbreviation_at}, ${abbreviation_length}},\n")
  math(EXPR at "${abbreviation_at} + ${abbreviation_length}")
  math(EXPR code "${code} + 1")
endforeach()

file(WRITE "${OUTPUT}.new"
  "// Generated at build time from UnicodeData.txt and NameAliases.txt; do not edit.\n"
  "// clang-format off\n#ifdef ZENTAVO_CHARACTER_NAME_TEXT\n${text}#endif\n"
  "#ifdef ZENTAVO_CHARACTER_NAMES\n${rows}#endif\n// clang-format on\n")
# Rewriting an unchanged table would rebuild everything that includes it.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
