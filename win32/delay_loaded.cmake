# Delay-load import libraries: a DLL linked through one is loaded when one of its functions is
# first called, not as the program starts. Each is made from the toolchain's own import library
# for the DLL: its exports are the names of its `__imp_` symbols.
#   zentavo_delay_loaded(TARGET dll...)   links TARGET to each DLL, delay-loaded
set(ZENTAVO_DELAY_LOADED_MAKER ${CMAKE_CURRENT_LIST_DIR}/make_delay_import_library.cmake
    CACHE INTERNAL "Writes a delay-load import library from a DLL's import library")

function(zentavo_delay_loaded target)
  foreach(dll IN LISTS ARGN)
    find_library(import_library_${dll} NAMES ${dll} REQUIRED)
    set(delay_library ${CMAKE_CURRENT_BINARY_DIR}/delay_loaded/lib${dll}_delay.a)
    if(NOT TARGET delay_loaded_${dll})
      add_custom_command(OUTPUT ${delay_library}
        COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL} -DDLL=${dll}
                -DIMPORT_LIBRARY=${import_library_${dll}} -DOUTPUT=${delay_library}
                -P ${ZENTAVO_DELAY_LOADED_MAKER}
        DEPENDS ${ZENTAVO_DELAY_LOADED_MAKER} ${import_library_${dll}}
        COMMENT "Making ${dll}.dll's delay-load import library")
      add_custom_target(delay_loaded_${dll} DEPENDS ${delay_library})
    endif()
    add_dependencies(${target} delay_loaded_${dll})
    target_link_libraries(${target} PRIVATE ${delay_library})
  endforeach()
  # The helper that loads a delay-loaded DLL on first call, from MinGW-w64's own runtime.
  target_link_libraries(${target} PRIVATE delayimp)
endfunction()
