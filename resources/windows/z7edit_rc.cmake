# Makes a target z7edit's Windows program: a window program (no console) with
# the icon, the version record and the two manifests.
# The icon is drawn at build time (resources/generated.cmake); its folder goes
# on the resource compiler's include path, where the .rc finds it by name.
set(Z7_WINDOWS_RC ${CMAKE_CURRENT_LIST_DIR}/z7edit.rc)

function(z7_windows_program target ico_file)
  get_filename_component(ico_dir ${ico_file} DIRECTORY)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  target_sources(${target} PRIVATE ${Z7_WINDOWS_RC})
  set_property(SOURCE ${Z7_WINDOWS_RC} TARGET_DIRECTORY ${target} APPEND PROPERTY
    OBJECT_DEPENDS ${ico_file}
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/z7edit.de.manifest
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/z7edit.en.manifest)
  target_include_directories(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:RC>:${ico_dir};${CMAKE_CURRENT_FUNCTION_LIST_DIR}>)
  # The .rc brings the process manifests; the linker must not add its own.
  if(MSVC)
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()
