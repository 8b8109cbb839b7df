# Installs the build into a staging folder and checks that the program and every desktop
# integration file land where a desktop looks for them.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(installed
    bin/zentavo
    share/applications/example.tolvek.Zentavo.desktop
    share/metainfo/example.tolvek.Zentavo.metainfo.xml
    share/icons/hicolor/16x16/apps/example.tolvek.Zentavo.png
    share/icons/hicolor/22x22/apps/example.tolvek.Zentavo.png
    share/icons/hicolor/24x24/apps/example.tolvek.Zentavo.png
    share/icons/hicolor/32x32/apps/example.tolvek.Zentavo.png
    share/icons/hicolor/48x48/apps/example.tolvek.Zentavo.png
    share/icons/hicolor/64x64/apps/example.tolvek.Zentavo.png
    share/icons/hicolor/128x128/apps/example.tolvek.Zentavo.png
    share/icons/hicolor/256x256/apps/example.tolvek.Zentavo.png
    share/icons/hicolor/scalable/apps/example.tolvek.Zentavo.svg
    share/man/man1/zentavo.1)
  if(NOT EXISTS ${STAGE}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
