# The Debian package: cpack -G DEB in the build tree. With -DZ7_PORTABLE=ON
# the build tree makes the portable archive instead: cpack (-G TGZ).
set(CPACK_PACKAGE_NAME z7edit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Die Entwickler von Z7 Edit")
set(CPACK_PACKAGE_CONTACT "Die Entwickler von Z7 Edit <z7edit@tellmar.de>")
set(CPACK_STRIP_FILES ON)
if(Z7_PORTABLE)
  # Unpacks to one folder of the archive's name.
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME z7edit-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# "games" would ask for the program in /usr/games; an editor for a game is a
# utility beside it.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the Qt, yaml-cpp, C++ and C libraries the program links with;
# the rest it cannot see: Qt opens its windowing plugins at run time, and the
# window asks for "Calibri", which fontconfig maps to Carlito when that is
# installed (same metrics, so the fixed layout keeps fitting).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-crosextra-carlito")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "model editor for the city-building game Ordavia")
set(CPACK_PACKAGE_DESCRIPTION [=[Z7 Edit is a German desktop editor for z7_model.txt, the model file of
the Roman city-building game Ordavia. Pick a building or a house level in
a tree, see each current value beside the value the game ships with,
change it and store it; one value, one entry or the whole file can be put
back to the shipped values.

The game runs under Wine; the editor finds it through the registry of the
Wine prefix: $WINEPREFIX, else ~/.wine or the prefix that Steam (Proton),
Lutris, Heroic, Bottles or PlayOnLinux keeps for the game.]=])

include(CPack)
