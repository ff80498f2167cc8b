# Button pictures and the program icon, rendered from art/*.svg at build time
# into ${CMAKE_BINARY_DIR}/art, where the resource compiler finds them by name.
set(LIRABO_ART_DIR ${CMAKE_BINARY_DIR}/art)
file(GLOB LIRABO_ART_SVGS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/art/*.svg)
set(LIRABO_ART_FILES ${LIRABO_ART_DIR}/lirabo.ico)
foreach(svg IN LISTS LIRABO_ART_SVGS)
  get_filename_component(name ${svg} NAME_WE)
  if(NOT name MATCHES "^lirabo")
    list(APPEND LIRABO_ART_FILES ${LIRABO_ART_DIR}/${name}.png)
  endif()
endforeach()

add_custom_command(OUTPUT ${LIRABO_ART_FILES}
  COMMAND bash ${CMAKE_SOURCE_DIR}/art/render.sh ${LIRABO_ART_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/art/render.sh ${LIRABO_ART_SVGS}
  COMMENT "Rendering button pictures and the program icon"
  VERBATIM)
add_custom_target(lirabo_art DEPENDS ${LIRABO_ART_FILES})

# Lets the .rc files of a program name the rendered files, e.g. ICON "lirabo.ico".
function(lirabo_use_art target)
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.rc$")
  set_property(SOURCE ${sources} APPEND PROPERTY INCLUDE_DIRECTORIES ${LIRABO_ART_DIR})
  set_property(SOURCE ${sources} APPEND PROPERTY OBJECT_DEPENDS ${LIRABO_ART_FILES})
  add_dependencies(${target} lirabo_art)
endfunction()
