# zentavo_windows_icon(ICO): makes ICO, the Windows icon of the form's three XPM images, at
# build time. The converter runs on the build machine, so it is compiled with the machine's own
# compiler even in a cross build. Included by Zentavo.exe's build and by the native check of its
# resources.
function(zentavo_windows_icon ico)
  find_program(HOST_CXX NAMES c++ g++ REQUIRED)
  set(converter ${CMAKE_CURRENT_BINARY_DIR}/xpm_to_ico)
  add_custom_command(OUTPUT ${converter}
    COMMAND ${HOST_CXX} -std=c++20 -O1 -Wall -Wextra -Wpedantic
            ${ZENTAVO_WIN32_DIR}/xpm_to_ico.cpp -o ${converter}
    DEPENDS ${ZENTAVO_WIN32_DIR}/xpm_to_ico.cpp
    COMMENT "Building xpm_to_ico for the build machine")
  add_custom_command(OUTPUT ${ico}
    COMMAND ${converter} ${ico} ${ZENTAVO_ICON_XPMS}
    DEPENDS ${converter} ${ZENTAVO_ICON_XPMS}
    COMMENT "Making zentavo.ico")
endfunction()
set(ZENTAVO_WIN32_DIR ${CMAKE_CURRENT_LIST_DIR})
