# Resources made at build time from sources in this repository and Debian's
# OFL fonts: the pictures (tools/art), the guide (tools/guide) and the two
# fonts (tools/fonts). Nothing here is downloaded.

add_subdirectory(${PROJECT_SOURCE_DIR}/tools ${PROJECT_BINARY_DIR}/tools)

set(Z7_FONT_DIR /usr/share/fonts/truetype/ebgaramond CACHE PATH "EB Garamond fonts (fonts-ebgaramond-extra)")
set(Z7_SCRIPT_FONT /usr/share/fonts/opentype/levien/TypoScript.otf CACHE FILEPATH "TypoScript (fonts-levien-typoscript)")
foreach(f EBGaramond12-AllSC.ttf EBGaramond12-Regular.ttf EBGaramond12-Italic.ttf EBGaramond12-Bold.ttf)
  if(NOT EXISTS ${Z7_FONT_DIR}/${f})
    message(FATAL_ERROR "${Z7_FONT_DIR}/${f} is missing: install fonts-ebgaramond-extra")
  endif()
endforeach()
if(NOT EXISTS ${Z7_SCRIPT_FONT})
  message(FATAL_ERROR "${Z7_SCRIPT_FONT} is missing: install fonts-levien-typoscript")
endif()

# fontTools must be importable; Debian's python3-fonttools serves the system
# interpreter, which a python3 earlier on PATH may not be.
if(NOT Z7_PYTHON)
  foreach(candidate /usr/bin/python3 python3)
    find_program(_z7_py NAMES ${candidate} NO_CACHE)
    if(_z7_py)
      execute_process(COMMAND ${_z7_py} -c "import fontTools" RESULT_VARIABLE _z7_rc OUTPUT_QUIET ERROR_QUIET)
      if(_z7_rc EQUAL 0)
        set(Z7_PYTHON ${_z7_py} CACHE FILEPATH "Python 3 with fontTools")
        break()
      endif()
    endif()
    unset(_z7_py)
  endforeach()
  if(NOT Z7_PYTHON)
    message(FATAL_ERROR "No python3 with fontTools found: install python3-fonttools")
  endif()
endif()

set(Z7_GEN ${CMAKE_CURRENT_BINARY_DIR}/generated)
set(Z7_RUN_ENV ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen)

# --- pictures ---------------------------------------------------------------
set(Z7_BUILDING_PICTURES)
# The count has one source, the header the program and the drawing tool read.
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/picture_list.h Z7_COUNT_LINE
     REGEX "BuildingPictureCount = [0-9]+")
string(REGEX MATCH "[0-9]+" Z7_PICTURE_COUNT "${Z7_COUNT_LINE}")
math(EXPR Z7_LAST_PICTURE "${Z7_PICTURE_COUNT} - 1")
foreach(i RANGE 0 ${Z7_LAST_PICTURE})
  string(LENGTH "${i}" len)
  if(len EQUAL 1)
    set(n "00${i}")
  elseif(len EQUAL 2)
    set(n "0${i}")
  else()
    set(n "${i}")
  endif()
  list(APPEND Z7_BUILDING_PICTURES ${Z7_GEN}/images/buildings/${n}.png)
endforeach()
set(Z7_ICON_PICTURES)
foreach(s 16 24 32 48 256)
  list(APPEND Z7_ICON_PICTURES ${Z7_GEN}/images/icon/${s}.png)
endforeach()
set(Z7_WINDOW_PICTURES
  ${Z7_GEN}/images/logo.png ${Z7_GEN}/images/start.png
  ${Z7_GEN}/images/noselect.png ${Z7_GEN}/images/marker.png)
set(Z7_ICO_FILE ${Z7_GEN}/z7edit.ico CACHE INTERNAL "Windows icon of the program")
set(Z7_CONTACT_SHEET ${Z7_GEN}/buildings_sheet.png)

file(GLOB Z7_ART_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/art/*)
add_custom_command(
  OUTPUT ${Z7_BUILDING_PICTURES} ${Z7_ICON_PICTURES} ${Z7_WINDOW_PICTURES} ${Z7_ICO_FILE} ${Z7_CONTACT_SHEET}
  COMMAND ${Z7_RUN_ENV} ${Z7_ART_EXECUTABLE} ${Z7_GEN} ${Z7_FONT_DIR}/EBGaramond12-Bold.ttf ${Z7_FONT_DIR}/EBGaramond12-Regular.ttf
  DEPENDS ${Z7_ART_TARGET} ${Z7_ART_SOURCES}
  COMMENT "Drawing the pictures"
  VERBATIM)

# --- guide ------------------------------------------------------------------
set(Z7_GUIDE_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/guide/guide.html)
add_custom_command(
  OUTPUT ${Z7_GEN}/guide/PDF
  COMMAND ${CMAKE_COMMAND} -E make_directory ${Z7_GEN}/guide
  COMMAND ${Z7_RUN_ENV} ${Z7_GUIDE_EXECUTABLE} ${Z7_GUIDE_SOURCE} ${Z7_GEN}/guide/PDF
          ${Z7_FONT_DIR}/EBGaramond12-Regular.ttf ${Z7_FONT_DIR}/EBGaramond12-Italic.ttf
          ${Z7_FONT_DIR}/EBGaramond12-AllSC.ttf
  DEPENDS ${Z7_GUIDE_TARGET} ${Z7_GUIDE_SOURCE}
  COMMENT "Rendering the user guide"
  VERBATIM)

# --- fonts ------------------------------------------------------------------
set(Z7_FONT_SCRIPT ${PROJECT_SOURCE_DIR}/tools/fonts/derive_fonts.py)
add_custom_command(
  OUTPUT ${Z7_GEN}/fonts/Z7/TTF ${Z7_GEN}/fonts/ZOLT/TTF
  COMMAND ${CMAKE_COMMAND} -E make_directory ${Z7_GEN}/fonts/Z7 ${Z7_GEN}/fonts/ZOLT
  COMMAND ${Z7_PYTHON} ${Z7_FONT_SCRIPT}
          --small-caps ${Z7_FONT_DIR}/EBGaramond12-AllSC.ttf
          --script ${Z7_SCRIPT_FONT}
          --fill ${Z7_FONT_DIR}/EBGaramond12-Italic.ttf
          --out-z7 ${Z7_GEN}/fonts/Z7/TTF --out-zolt ${Z7_GEN}/fonts/ZOLT/TTF
  DEPENDS ${Z7_FONT_SCRIPT}
  COMMENT "Deriving the fonts"
  VERBATIM)

# --- into the program -------------------------------------------------------
qt_add_resources(z7resources z7images PREFIX /images BASE ${Z7_GEN}/images
  FILES ${Z7_BUILDING_PICTURES} ${Z7_ICON_PICTURES} ${Z7_WINDOW_PICTURES})
# The pictures that the window shows at start, also as ready pixels: stored
# uncompressed, so the program shows them straight from its own memory.
set(Z7_PIXEL_FILES)
foreach(picture logo start noselect marker icon/16 icon/24 icon/32 icon/48)
  set(raw ${Z7_GEN}/pixels/${picture})
  get_filename_component(raw_dir ${raw} DIRECTORY)
  add_custom_command(
    OUTPUT ${raw}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${raw_dir}
    COMMAND ${Z7_RUN_ENV} $<TARGET_FILE:z7rawpicture_tool> ${Z7_GEN}/images/${picture}.png ${raw}
    DEPENDS z7rawpicture_tool ${Z7_GEN}/images/${picture}.png
    COMMENT "Ready pixels of ${picture}.png"
    VERBATIM)
  list(APPEND Z7_PIXEL_FILES ${raw})
endforeach()
qt_add_resources(z7resources z7pixels PREFIX /pixels BASE ${Z7_GEN}/pixels
  FILES ${Z7_PIXEL_FILES} OPTIONS --no-compress)
# The same pictures for the Windows program (resources/windows/z7edit.rc), as
# bitmaps it draws without loading an image decoder at start.
set(Z7_DIB_FILES)
foreach(picture logo start noselect marker)
  set(dib ${Z7_GEN}/bitmaps/${picture}.dib)
  add_custom_command(
    OUTPUT ${dib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${Z7_GEN}/bitmaps
    COMMAND ${Z7_RUN_ENV} $<TARGET_FILE:z7rawpicture_tool> --dib ${Z7_GEN}/images/${picture}.png ${dib}
    DEPENDS z7rawpicture_tool ${Z7_GEN}/images/${picture}.png
    COMMENT "Bitmap of ${picture}.png"
    VERBATIM)
  list(APPEND Z7_DIB_FILES ${dib})
endforeach()
add_custom_target(z7windows_bitmaps ALL DEPENDS ${Z7_DIB_FILES})
qt_add_resources(z7resources z7guide PREFIX /RT_RCDATA BASE ${Z7_GEN}/guide
  FILES ${Z7_GEN}/guide/PDF)
# Read at every start: stored uncompressed, as the texts are.
qt_add_resources(z7resources z7fonts PREFIX / BASE ${Z7_GEN}/fonts
  FILES ${Z7_GEN}/fonts/Z7/TTF ${Z7_GEN}/fonts/ZOLT/TTF OPTIONS --no-compress)

# The fonts are Modified Versions under the SIL Open Font License, whose text
# travels with the program.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/licenses/OFL.txt ${PROJECT_BINARY_DIR}/OFL.txt COPYONLY)
# cmake/Z7Install.cmake installs it with the package's documents.
