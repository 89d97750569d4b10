# Settings every target of the program shares: link z7_common and they apply.
add_library(z7_common INTERFACE)
target_compile_features(z7_common INTERFACE cxx_std_20)
# Includes name their layer: "model/record.h", "catalogue/catalogue.h".
get_filename_component(Z7_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
target_include_directories(z7_common INTERFACE ${Z7_SOURCE_ROOT})
target_compile_definitions(z7_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_USE_QSTRINGBUILDER
  $<$<PLATFORM_ID:Windows>:NOMINMAX UNICODE _UNICODE>)
if(MSVC)
  target_compile_options(z7_common INTERFACE /W4 /utf-8)
else()
  # The table rows (window controls, font changes) leave their last fields to
  # the defaults the structs give them; that is no mistake to warn about.
  target_compile_options(z7_common INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
  # Every build of scripts/test turns warnings into errors (see scripts/lib.sh).
  option(Z7_WERROR "Treat warnings as errors" OFF)
  if(Z7_WERROR)
    target_compile_options(z7_common INTERFACE -Werror)
  endif()
endif()

# Sanitizer build: -DZ7_SANITIZE=ON instruments every target.
option(Z7_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(Z7_SANITIZE)
  target_compile_options(z7_common INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(z7_common INTERFACE -fsanitize=address,undefined)
endif()
