# Installing the program like any Linux desktop program, and the two packages
# made from these rules by cpack in the build tree:
# - the .deb for Debian and its derivatives, on the system's Qt
#   (scripts/stages/60-package.sh);
# - with -DZ7_PORTABLE=ON, z7edit-<version>-linux-x86_64.tar.gz for every other
#   Linux: one folder with the program at its top and the Qt it needs beside
#   it (cmake/Z7Portable.cmake; scripts/stages/62-portable-linux.sh).
if(NOT UNIX OR APPLE)
  return()
endif()

option(Z7_PORTABLE "Install as the portable archive: one folder with Qt beside the program" OFF)

include(GNUInstallDirs)
set(Z7_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
if(Z7_PORTABLE)
  set(Z7_BINDIR .)
  set(Z7_DATADIR share)
  set(Z7_MANDIR share/man)
  set(Z7_DOCDIR doc)
  set(_z7_bundle RUNTIME_DEPENDENCY_SET z7_bundle)
else()
  set(Z7_BINDIR ${CMAKE_INSTALL_BINDIR})
  set(Z7_DATADIR ${CMAKE_INSTALL_DATADIR})
  set(Z7_MANDIR ${CMAKE_INSTALL_MANDIR})
  # Debian keeps a package's documents under its own name, not the project's.
  set(Z7_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/z7edit)
  set(_z7_bundle)
endif()
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Resolve every symbol at start, so the relocations can be read-only from then on.
target_link_options(z7edit PRIVATE LINKER:-z,relro LINKER:-z,now)
install(TARGETS z7edit ${_z7_bundle} RUNTIME DESTINATION ${Z7_BINDIR})

# The window icon's pictures double as the theme icon; they are drawn beside
# the Windows icon file.
get_filename_component(_z7_generated ${Z7_ICO_FILE} DIRECTORY)
foreach(size 16 24 32 48 256)
  install(FILES ${_z7_generated}/images/icon/${size}.png
          DESTINATION ${Z7_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME z7edit.png)
endforeach()

install(FILES ${Z7_PACKAGING_DIR}/z7edit.desktop DESTINATION ${Z7_DATADIR}/applications)
install(FILES ${Z7_PACKAGING_DIR}/de.tellmar.z7edit.metainfo.xml DESTINATION ${Z7_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/licenses/OFL.txt ${Z7_PACKAGING_DIR}/copyright
        DESTINATION ${Z7_DOCDIR})

# Debian wants the changelog and manual page compressed with gzip -9n (no
# name, no time stamp), so that the package comes out the same every build.
find_program(Z7_GZIP gzip REQUIRED)
set(_z7_pack ${PROJECT_BINARY_DIR}/packaging)
set(_z7_gzipped)
foreach(f changelog z7edit.1)
  add_custom_command(
    OUTPUT ${_z7_pack}/${f}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${Z7_PACKAGING_DIR}/${f} ${_z7_pack}/${f}
    COMMAND ${Z7_GZIP} -9nf ${_z7_pack}/${f}
    DEPENDS ${Z7_PACKAGING_DIR}/${f}
    VERBATIM)
  list(APPEND _z7_gzipped ${_z7_pack}/${f}.gz)
endforeach()
add_custom_target(z7_package_files ALL DEPENDS ${_z7_gzipped})
install(FILES ${_z7_pack}/changelog.gz DESTINATION ${Z7_DOCDIR})
install(FILES ${_z7_pack}/z7edit.1.gz DESTINATION ${Z7_MANDIR}/man1)

if(Z7_PORTABLE)
  include(${CMAKE_CURRENT_LIST_DIR}/Z7Portable.cmake)
else()
  install(FILES ${Z7_PACKAGING_DIR}/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME z7edit)
endif()

include(${Z7_PACKAGING_DIR}/Z7CPack.cmake)
