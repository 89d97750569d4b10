# Runs at install time of the portable archive (Z7Portable.cmake), after the
# libraries and plugins are in place: their licences ask that a copy carries
# their notices, so doc/libraries/ gets the copyright file of each Debian
# package they come from, and packages.txt names each file's package and the
# source package with its version, whose sources Debian's archive keeps.
set(_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(_notices "${_root}/doc/libraries")
find_program(_z7_dpkg_query dpkg-query)
if(NOT _z7_dpkg_query)
  message(WARNING "No dpkg-query: the archive goes without the notices of its libraries")
  return()
endif()

file(GLOB _libraries LIST_DIRECTORIES false "${_root}/lib/*")
file(GLOB _plugins LIST_DIRECTORIES false "${_root}/plugins/*/*")
file(MAKE_DIRECTORY "${_notices}")
set(_list "# Datei, Debian-Paket, Quellpaket und Version (https://snapshot.debian.org/package/<Quellpaket>/<Version>/)\n")
foreach(file IN LISTS _libraries _plugins)
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  file(RELATIVE_PATH relative "${_root}" "${file}")
  get_filename_component(name "${file}" NAME)
  if(relative MATCHES "^plugins/")
    get_filename_component(kind "${file}" DIRECTORY)
    get_filename_component(kind "${kind}" NAME)
    set(pattern "*/plugins/${kind}/${name}")
  else()
    set(pattern "*/${name}")
  endif()
  execute_process(COMMAND ${_z7_dpkg_query} -S "${pattern}"
                  OUTPUT_VARIABLE owner RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    message(FATAL_ERROR "No Debian package holds ${pattern}")
  endif()
  # "libqt6core6:amd64: /usr/lib/...": the first package named.
  string(REGEX MATCH "^[^:, ]+" package "${owner}")
  execute_process(COMMAND ${_z7_dpkg_query} -W "-f=\${source:Package} \${source:Version}" ${package}
                  OUTPUT_VARIABLE source OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(APPEND _list "${relative} ${package} ${source}\n")
  if(NOT EXISTS "${_notices}/${package}.copyright")
    file(COPY_FILE "/usr/share/doc/${package}/copyright" "${_notices}/${package}.copyright")
  endif()
endforeach()
file(WRITE "${_notices}/packages.txt" "${_list}")
