# Makes a target z7edit's Windows program: a window program (no console) with
# every resource the program carries (z7edit.rc).
# The icon, pictures, guide and fonts are drawn by the main build
# (resources/generated.cmake); its folder of generated files goes on the
# resource compiler's include path, where the .rc finds them by name, beside
# resources/ for the committed texts.
set(Z7_WINDOWS_RC ${CMAKE_CURRENT_LIST_DIR}/z7edit.rc)
get_filename_component(Z7_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

# The version has one source: the project line of the top-level CMakeLists.txt.
file(STRINGS ${Z7_RESOURCES_DIR}/../CMakeLists.txt _z7_project_line
     REGEX "^project\\(Z7Edit VERSION [0-9.]+")
string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+" Z7_PROGRAM_VERSION "${_z7_project_line}")
if(NOT Z7_PROGRAM_VERSION)
  message(FATAL_ERROR "No four-part version in the project line of CMakeLists.txt")
endif()

# The names the window asks for: LOGO, START, NOSELECT, MARKER and
# BUILDING000 to BUILDINGnnn, the count read from the header the program and
# the drawing tool read.
file(STRINGS ${Z7_RESOURCES_DIR}/picture_list.h _z7_count_line REGEX "BuildingPictureCount = [0-9]+")
string(REGEX MATCH "[0-9]+" _z7_picture_count "${_z7_count_line}")
math(EXPR _z7_last_picture "${_z7_picture_count} - 1")
# The four the window shows at start and with every entry come as bitmaps
# (resources/generated.cmake), the building pictures as PNGs.
set(Z7_WINDOWS_BITMAPS logo start noselect marker)
set(Z7_WINDOWS_PICTURES)
foreach(i RANGE 0 ${_z7_last_picture})
  string(LENGTH "${i}" len)
  math(EXPR pad "3 - ${len}")
  string(REPEAT "0" ${pad} zeros)
  list(APPEND Z7_WINDOWS_PICTURES buildings/${zeros}${i}.png)
endforeach()

set(Z7_WINDOWS_TEXTS NewModell DE_Modell NodeTree NodeIndex NodeStatusIndex NodeExtendedIndex)

function(z7_windows_program target generated_dir)
  set(lines "// Made by z7edit_rc.cmake from resources/picture_list.h.\n")
  set(depends)
  foreach(picture ${Z7_WINDOWS_PICTURES})
    get_filename_component(stem ${picture} NAME_WE)
    string(TOUPPER ${stem} name)
    if(picture MATCHES "^buildings/")
      set(name BUILDING${name})
    endif()
    string(APPEND lines "${name} PNG \"images/${picture}\"\n")
    list(APPEND depends ${generated_dir}/images/${picture})
  endforeach()
  foreach(bitmap ${Z7_WINDOWS_BITMAPS})
    string(TOUPPER ${bitmap} name)
    string(APPEND lines "${name} DIB \"bitmaps/${bitmap}.dib\"\n")
    list(APPEND depends ${generated_dir}/bitmaps/${bitmap}.dib)
  endforeach()
  string(REPLACE "." ", " numbers ${Z7_PROGRAM_VERSION})
  set(rc_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_rc)
  file(CONFIGURE OUTPUT ${rc_dir}/z7edit_pictures.rc CONTENT "${lines}")
  file(CONFIGURE OUTPUT ${rc_dir}/z7edit_version.rh CONTENT
       "#define Z7_VERSION_NUMBERS ${numbers}\n#define Z7_VERSION_TEXT \"${Z7_PROGRAM_VERSION}\"\n")

  foreach(text ${Z7_WINDOWS_TEXTS})
    list(APPEND depends ${Z7_RESOURCES_DIR}/texts/${text})
  endforeach()
  list(APPEND depends ${generated_dir}/z7edit.ico ${generated_dir}/guide/PDF
       ${generated_dir}/fonts/Z7/TTF ${generated_dir}/fonts/ZOLT/TTF)
  foreach(file ${depends})
    if(NOT EXISTS ${file})
      message(FATAL_ERROR "${file} is missing: build the main build's generated resources first "
                          "(scripts/build-windows does)")
    endif()
  endforeach()

  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  target_sources(${target} PRIVATE ${Z7_WINDOWS_RC})
  set_property(SOURCE ${Z7_WINDOWS_RC} TARGET_DIRECTORY ${target} APPEND PROPERTY
    OBJECT_DEPENDS ${depends} ${rc_dir}/z7edit_pictures.rc ${rc_dir}/z7edit_version.rh
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/z7edit.de.manifest
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/z7edit.en.manifest)
  target_include_directories(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:RC>:${rc_dir};${generated_dir};${Z7_RESOURCES_DIR};${CMAKE_CURRENT_FUNCTION_LIST_DIR}>)
  # The .rc brings the process manifests; the linker must not add its own.
  if(MSVC)
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()

# The program's resources read back by type and name (Win32ResourceSource).
add_library(z7win32resources STATIC
  ${Z7_RESOURCES_DIR}/win32_resource_source.h ${Z7_RESOURCES_DIR}/win32_resource_source.cpp)
target_link_libraries(z7win32resources PUBLIC z7_common)
