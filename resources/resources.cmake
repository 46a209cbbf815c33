# Compiles resources/tavik.rc into an object that links into a program: with wrc
# for the Winelib build, with MinGW's windres for the native one.
# Usage (from any CMakeLists): tavik_add_resources(<target>)
set(TAVIK_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "")
if(TAVIK_MINGW)
  set(TAVIK_RC_COMMAND ${CMAKE_RC_COMPILER} -O coff CACHE INTERNAL "")
else()
  find_program(TAVIK_WRC NAMES wrc wrc-stable PATHS /usr/bin /usr/lib/wine REQUIRED)
  find_path(TAVIK_WINE_WINDOWS_INCLUDE windows.h
            PATHS /usr/include/wine/wine/windows /usr/include/wine/windows NO_DEFAULT_PATH REQUIRED)
  set(TAVIK_RC_COMMAND ${TAVIK_WRC} -m64 --nostdinc -I${TAVIK_WINE_WINDOWS_INCLUDE} CACHE INTERNAL "")
endif()
find_path(TAVIK_FONT_SANS_DIR LiberationSans-Regular.ttf
          PATHS /usr/share/fonts/truetype/liberation2 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(TAVIK_FONT_DISPLAY_DIR Comfortaa-Bold.ttf
          PATHS /usr/share/fonts/truetype/comfortaa NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

function(tavik_add_resources target)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}_tavik.res)
  # Looked at again on every build: a picture added or removed re-runs the
  # configuration instead of leaving a dependency on a file that is gone.
  file(GLOB deps CONFIGURE_DEPENDS ${TAVIK_RESOURCE_DIR}/*.tavik ${TAVIK_RESOURCE_DIR}/*.ico ${TAVIK_RESOURCE_DIR}/*.cur ${TAVIK_RESOURCE_DIR}/*.bmp ${TAVIK_RESOURCE_DIR}/*.jpg ${TAVIK_RESOURCE_DIR}/*.png
       ${TAVIK_RESOURCE_DIR}/*.html ${TAVIK_RESOURCE_DIR}/*.manifest ${TAVIK_RESOURCE_DIR}/*.h
       ${TAVIK_RESOURCE_DIR}/*.rc ${TAVIK_RESOURCE_DIR}/icons/*.png)
  add_custom_command(
    OUTPUT ${res}
    COMMAND ${TAVIK_RC_COMMAND} -I${CMAKE_SOURCE_DIR} -I${TAVIK_RESOURCE_DIR}
            -I${TAVIK_FONT_SANS_DIR} -I${TAVIK_FONT_DISPLAY_DIR}
            -o ${res} ${TAVIK_RESOURCE_DIR}/tavik.rc
    DEPENDS ${TAVIK_RESOURCE_DIR}/tavik.rc ${deps}
    COMMENT "Compiling resources for ${target}"
    VERBATIM)
  set_source_files_properties(${res} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${res})
endfunction()
