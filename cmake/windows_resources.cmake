# The program icon and the version information in the Windows executables'
# resources. The icon file is drawn at build time by the window icon's code,
# through a tool built for the build machine with its own Qt
# (packaging/windows/CMakeLists.txt), as the Linux icon files are.
include(ExternalProject)

set(QUORVANDEL_ICO ${PROJECT_BINARY_DIR}/packaging/windows/quorvandel.ico)
set(host_tools ${PROJECT_BINARY_DIR}/host-tools)
set(host_launcher)
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(host_launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()
ExternalProject_Add(quorvandel_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/packaging/windows
  BINARY_DIR ${host_tools}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release ${host_launcher}
  BUILD_ALWAYS ON  # its own build decides what is out of date
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${host_tools}/quorvandel-render-ico)
get_filename_component(ico_folder ${QUORVANDEL_ICO} DIRECTORY)
add_custom_command(OUTPUT ${QUORVANDEL_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ico_folder}
  COMMAND ${host_tools}/quorvandel-render-ico ${QUORVANDEL_ICO}
  DEPENDS quorvandel_host_tools ${host_tools}/quorvandel-render-ico
  VERBATIM)
add_custom_target(quorvandel_windows_icon DEPENDS ${QUORVANDEL_ICO})

# Gives `target` the icon and version information; `name` and
# `description` fill its version strings.
function(quorvandel_windows_resources target name description)
  set(QUORVANDEL_RC_NAME ${name})
  set(QUORVANDEL_RC_DESCRIPTION ${description})
  set(QUORVANDEL_RC_FILE_NAME ${target}.exe)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${QUORVANDEL_ICO})
  add_dependencies(${target} quorvandel_windows_icon)
endfunction()
