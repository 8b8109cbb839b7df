# zentavo_windows_icon(ICO): makes ICO, the Windows icon, at build time: the icon's one drawing
# rendered by rsvg-convert at each size Windows shows an icon at, and the classic 16- and
# 2-colour images, gathered by icotool (icoutils), the largest kept as PNG as Windows Vista and
# later read it. Included by Zentavo.exe's build and
# by the native check of its resources, which compares each image with its rendering.
set(ZENTAVO_WINDOWS_ICON_SIZES 16 20 24 32 40 48 64 256
    CACHE INTERNAL "The sizes the Windows icon carries")
function(zentavo_windows_icon ico)
  find_program(RSVG_CONVERT rsvg-convert REQUIRED)
  find_program(ICOTOOL icotool REQUIRED)
  set(rendered_dir ${CMAKE_CURRENT_BINARY_DIR}/windows-icon)
  set(images)
  set(renderings)
  foreach(size IN LISTS ZENTAVO_WINDOWS_ICON_SIZES)
    set(png ${rendered_dir}/${size}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${rendered_dir}
      COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${ZENTAVO_ICON_SVG}
      DEPENDS ${ZENTAVO_ICON_SVG}
      COMMENT "Rendering the Windows icon at ${size} px")
    list(APPEND renderings ${png})
    if(size EQUAL 256)
      list(APPEND images --raw=${png})
    else()
      list(APPEND images ${png})
    endif()
  endforeach()
  # The classic images the window record names, beside them: 32 and 16 px in 16 colours and
  # 32 px in 2, each made from the rendering of its size by Pillow, with Debian's own Python.
  find_program(PILLOW_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
  foreach(classic 32-16 16-16 32-2)
    string(REPLACE "-" ";" size_and_colours ${classic})
    list(GET size_and_colours 0 size)
    list(GET size_and_colours 1 colours)
    set(png ${rendered_dir}/${classic}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${PILLOW_PYTHON} ${PROJECT_SOURCE_DIR}/win32/classic_icon_image.py
              ${rendered_dir}/${size}.png ${png} ${colours}
      DEPENDS ${rendered_dir}/${size}.png ${PROJECT_SOURCE_DIR}/win32/classic_icon_image.py
      COMMENT "Making the icon's ${size} px image in ${colours} colours")
    list(APPEND renderings ${png})
    list(APPEND images ${png})
  endforeach()
  add_custom_command(OUTPUT ${ico}
    COMMAND ${ICOTOOL} --create --output=${ico} ${images}
    DEPENDS ${renderings}
    COMMENT "Making zentavo.ico")
  set(ZENTAVO_WINDOWS_ICON_RENDERINGS ${rendered_dir} PARENT_SCOPE)
endfunction()
