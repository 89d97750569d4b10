# The portable archive, for every Linux that is not Debian's: SteamOS on the
# Steam Deck (read-only, no apt), Arch, Fedora, openSUSE. Included by
# Z7Install.cmake with -DZ7_PORTABLE=ON, so the archive holds what the .deb
# holds, laid out as one folder, plus the Qt that the program needs:
#
#   cmake -S . -B build-portable -G Ninja -DCMAKE_BUILD_TYPE=Release -DZ7_PORTABLE=ON \
#         -DZ7_BUILD_TESTS=OFF -DZ7_BUILD_BENCH=OFF
#   cmake --build build-portable
#   (cd build-portable && cpack)        # z7edit-<version>-linux-x86_64.tar.gz
#
# The folder it unpacks to:
#   z7edit        the program, started in place (a double click or ./z7edit)
#   lib/          Qt and every library it needs that not every desktop has
#   plugins/      Qt's plugins: X11 (xcb) and its GL glue, Wayland, input methods
#   qt.conf       makes Qt take its plugins from plugins/, never the system's
#   menueeintrag-anlegen.sh, menueeintrag-entfernen.sh, LIESMICH.txt
#   share/, doc/  the desktop entry, icons, manual page and licences of the .deb;
#                 doc/libraries/ the licences of what lib/ and plugins/ hold
#
# The libraries are found by CMake's runtime-dependency install from the
# program and the plugins, as the Debian system they are built on has them.

# What every Linux desktop has comes from the system. These are also the
# libraries that the system's graphics drivers load: a copy of ours would
# stand in for the one they were built against.
set(Z7_SYSTEM_LIBRARIES
  # the C library and the compiler's C and C++ runtime
  [[^ld-linux]] [[^lib(c|m|dl|pthread|rt|resolv|util)\.so]] [[^libstdc\+\+\.so]] [[^libgcc_s\.so]]
  # X11: libX11 with its glue to xcb, which reaches into libX11's insides, and
  # the core of xcb; xcb's other libraries travel
  [[^libX11(-xcb)?\.so]] [[^libxcb\.so]]
  # OpenGL and EGL, and Wayland's client library that the system's EGL uses
  [[^lib(GL|GLX|OpenGL|EGL|GLdispatch)\.so]] [[^libwayland-client\.so]]
  [[^libfontconfig\.so]] [[^libfreetype\.so]]
  [[^lib(glib|gobject|gio|gmodule|gthread)-2\.0\.so]] [[^libdbus-1\.so]])

# An RPATH, not a RUNPATH: the loader applies the program's RPATH to every
# library of the process, also to what Qt's libraries and plugins need, and
# it comes before LD_LIBRARY_PATH, which Steam sets for what it starts.
set_target_properties(z7edit PROPERTIES INSTALL_RPATH "$ORIGIN/lib")
target_link_options(z7edit PRIVATE LINKER:--disable-new-dtags)

# Qt opens its plugins at run time, so no link step names them. The Wayland
# ones come with Debian's qt6-wayland; without it the archive has X11 only.
set(_z7_qt_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
set(_z7_needed_plugins
  platforms/libqxcb.so
  xcbglintegrations/libqxcb-glx-integration.so
  xcbglintegrations/libqxcb-egl-integration.so
  platforminputcontexts/libcomposeplatforminputcontextplugin.so
  platforminputcontexts/libibusplatforminputcontextplugin.so)
set(_z7_wayland_plugins
  platforms/libqwayland-generic.so
  platforms/libqwayland-egl.so
  wayland-shell-integration/libxdg-shell.so
  wayland-decoration-client/libbradient.so
  wayland-graphics-integration-client/libqt-plugin-wayland-egl.so)
foreach(plugin IN LISTS _z7_needed_plugins _z7_wayland_plugins)
  set(file ${_z7_qt_plugins}/${plugin})
  if(NOT EXISTS ${file})
    if(plugin IN_LIST _z7_needed_plugins)
      message(FATAL_ERROR "Qt plugin ${file} is missing")
    endif()
    message(STATUS "Portable archive without Wayland: no ${file} (qt6-wayland)")
    continue()
  endif()
  string(MAKE_C_IDENTIFIER ${plugin} name)
  add_library(z7_qt_${name} MODULE IMPORTED)
  set_target_properties(z7_qt_${name} PROPERTIES IMPORTED_LOCATION ${file})
  get_filename_component(kind ${plugin} DIRECTORY)
  install(IMPORTED_RUNTIME_ARTIFACTS z7_qt_${name} RUNTIME_DEPENDENCY_SET z7_bundle
          LIBRARY DESTINATION plugins/${kind})
endforeach()

install(RUNTIME_DEPENDENCY_SET z7_bundle
        PRE_EXCLUDE_REGEXES ${Z7_SYSTEM_LIBRARIES}
        LIBRARY DESTINATION lib)
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/Z7BundleNotices.cmake)

set(_z7_linux ${Z7_PACKAGING_DIR}/linux)
install(FILES ${_z7_linux}/qt.conf DESTINATION .)
install(PROGRAMS ${_z7_linux}/menueeintrag-anlegen.sh ${_z7_linux}/menueeintrag-entfernen.sh
        DESTINATION .)
set(VERSION ${PROJECT_VERSION})
configure_file(${_z7_linux}/LIESMICH.txt ${PROJECT_BINARY_DIR}/packaging/LIESMICH.txt @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/LIESMICH.txt DESTINATION .)
