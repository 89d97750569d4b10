# Installing the program like any Linux desktop program, and the .deb that
# carries it (cpack -G DEB in the build tree; scripts/stages/60-package.sh).
if(NOT UNIX OR APPLE)
  return()
endif()

include(GNUInstallDirs)
set(Z7_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
# Debian keeps a package's documents under its own name, not the project's.
set(Z7_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/z7edit)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Resolve every symbol at start, so the relocations can be read-only from then on.
target_link_options(z7edit PRIVATE LINKER:-z,relro LINKER:-z,now)
install(TARGETS z7edit RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The window icon's pictures double as the theme icon; they are drawn beside
# the Windows icon file.
get_filename_component(_z7_generated ${Z7_ICO_FILE} DIRECTORY)
foreach(size 16 24 32 48 256)
  install(FILES ${_z7_generated}/images/icon/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME z7edit.png)
endforeach()

install(FILES ${Z7_PACKAGING_DIR}/z7edit.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${Z7_PACKAGING_DIR}/de.tellmar.z7edit.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
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
install(FILES ${_z7_pack}/z7edit.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${Z7_PACKAGING_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME z7edit)

include(${Z7_PACKAGING_DIR}/Z7CPack.cmake)
